#pragma once
// What the preference hub asks of the main frame, and what the frame asks of a chemistry viewer
// after the hub closed. The frame installs the first; no module installs the second yet. Without
// one installed, the calls do nothing.

class QWidget;

class PreferenceFrameServices {
public:
    virtual ~PreferenceFrameServices() = default;
    // The operating-instructions module's preferences, then the step panes that are shown.
    virtual void EditOperatingInstructionPreferences() {}
    // The equipment diagram's preferences on the result file of the frame's context.
    virtual void ShowEquipmentDiagramPreferences() {}
};

class ChemistryViewServices {
public:
    virtual ~ChemistryViewServices() = default;
    // The chemistry document of that window re-reads the project's preferences.
    virtual void OnFilePreferences(QWidget* /*documentWindow*/) {}
};

void EditOperatingInstructionPreferences();
void ShowEquipmentDiagramPreferences();
void ChemistryOnFilePreferences(QWidget* documentWindow);
