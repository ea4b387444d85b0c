#pragma once
// The frame's workspace environments: 0 is the chemistry (route selection) environment, 1 the
// process environment. Without a chemistry module the process environment stays current.

class CEnvironmentMngr {
public:
    static constexpr int CHEMISTRY_ENVIRONMENT = 0;
    static constexpr int PROCESS_ENVIRONMENT = 1;

    int GetCurrentEnvironmentID() const { return m_currentID; }
    void SetCurrentEnvironmentID(int id) { m_currentID = id; }

private:
    int m_currentID = PROCESS_ENVIRONMENT;
};
