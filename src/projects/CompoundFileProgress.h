#pragma once
// The status-bar progress of one packer call, when there is a frame: begun with the unpack's
// text, moved by what the packer reports, ended with the call.

#include "foundation/common/QVCompletionStatus.h"
#include "foundation/common/concerns/FrameServices.h"
#include "modules/packer/CompoundFilePacker.h"

class CCompoundFileProgress : public IQVCompletionStatus {
public:
    explicit CCompoundFileProgress(ICompoundFilePacker& packer)
        : m_packer(packer), m_frame(GetProgressServices())
    {
        if (m_frame)
            m_frame->BeginProgress(0, 100, QStringLiteral("Creating Access databases from XML files"));
        m_packer.SetApplication(this);
    }
    ~CCompoundFileProgress() override
    {
        m_packer.ReleaseApplication();
        if (m_frame)
            m_frame->EndProgress();
    }
    CCompoundFileProgress(const CCompoundFileProgress&) = delete;
    CCompoundFileProgress& operator=(const CCompoundFileProgress&) = delete;

    void ReportProgress(long percent, long /*reserved*/) override
    {
        if (m_frame)
            m_frame->SetProgressPos(int(percent));
    }

private:
    ICompoundFilePacker& m_packer;
    ProgressServices* m_frame;
};
