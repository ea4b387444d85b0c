#pragma once
// The shared-classes module's singleton that carries the parent step and the edited operation from
// the program to the operation editors. It lives from its first use until Destroy (each project
// close destroys it, so a new project starts from -1 and -1).

class CQVGlobalParams {
public:
    static CQVGlobalParams* Instance();
    static void Destroy();

    void SetParentStepID(long stepID) { m_parentStepID = stepID; }
    void SetEditedOpID(long operationID) { m_editedOpID = operationID; }
    long GetParentStepID() const { return m_parentStepID; }
    long GetEditedOpID() const { return m_editedOpID; }

private:
    CQVGlobalParams() = default;

    long m_parentStepID = -1;
    long m_editedOpID = -1;
};
