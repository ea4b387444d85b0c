#include "foundation/common/MessageBox.h"
#include "foundation/controls/QVPropertyPage.h"
#include "foundation/controls/QVPropertySheet.h"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class LoggingPage : public CQVPropertyPage {
public:
    LoggingPage(const QString& name, QStringList& log) : m_name(name), m_log(log)
    {
        (new QVBoxLayout(this))->addWidget(edit);
    }
    void OnSetActive() override { m_log.append(m_name + ":active"); }
    bool OnKillActive() override
    {
        if (refuseToLeave)
            edit->setFocus();
        return !refuseToLeave;
    }
    bool OnApply() override
    {
        m_log.append(m_name + ":apply");
        return true;
    }
    void OnCancel() override { m_log.append(m_name + ":cancel"); }

    QLineEdit* edit = new QLineEdit(this);
    bool refuseToLeave = false;

private:
    QString m_name;
    QStringList& m_log;
};

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"a", "b", "c"})
            sheet.AddPage(name, [this, name] {
                log.append(QString(name) + ":created");
                return new LoggingPage(name, log);
            });
        sheet.show();
    }
    LoggingPage* Page(int i) { return static_cast<LoggingPage*>(sheet.GetPage(i)); }

    QStringList log;
    CQVPropertySheet sheet{"Options"};
};

TEST_F(PropertySheetTest, PagesAreCreatedWhenFirstShownAndOnlyCreatedPagesApply)
{
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetPage(1), nullptr);
    ASSERT_TRUE(sheet.SetActivePage(2));
    ASSERT_TRUE(sheet.SetActivePage(0));
    EXPECT_TRUE(sheet.PressOK());
    EXPECT_EQ(sheet.result(), IDOK);
    EXPECT_EQ(log, QStringList(
                       {"a:created", "a:active", "c:created", "c:active", "a:active", "a:apply", "c:apply"}));
    EXPECT_EQ(sheet.GetPage(1), nullptr);
}

TEST_F(PropertySheetTest, APageThatRefusesKeepsTheSheetAndTheFocus)
{
    sheet.activateWindow();
    QApplication::processEvents();
    Page(0)->refuseToLeave = true;
    EXPECT_FALSE(sheet.SetActivePage(1));
    EXPECT_FALSE(sheet.PressOK());
    EXPECT_FALSE(sheet.PressApply());
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetPage(1), nullptr);
    EXPECT_EQ(sheet.focusWidget(), Page(0)->edit);
    EXPECT_FALSE(log.contains("a:apply"));
    EXPECT_TRUE(sheet.isVisible());
}

} // namespace
