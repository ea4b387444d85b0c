#include "foundation/common/MessageBox.h"
#include "foundation/controls/QVPropertyPage.h"
#include "foundation/controls/QVPropertySheet.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

struct PageLog {
    QStringList events;
};

class LoggingPage : public CQVPropertyPage {
public:
    LoggingPage(const QString& name, PageLog& log) : m_name(name), m_log(log), edit(new QLineEdit(this))
    {
        (new QVBoxLayout(this))->addWidget(edit);
    }
    void OnSetActive() override { m_log.events.append(m_name + ":active"); }
    bool OnKillActive() override
    {
        if (refuseToLeave)
            edit->setFocus();
        return !refuseToLeave;
    }
    bool OnApply() override
    {
        m_log.events.append(m_name + ":apply");
        return !refuseToApply;
    }
    void OnCancel() override { m_log.events.append(m_name + ":cancel"); }

    bool refuseToLeave = false;
    bool refuseToApply = false;

private:
    QString m_name;
    PageLog& m_log;

public:
    QLineEdit* edit;
};

class PropertySheetTest : public ::testing::Test {
protected:
    void AddPages(CQVPropertySheet& sheet)
    {
        for (const char* name : {"a", "b", "c"})
            sheet.AddPage(name, [this, name] {
                log.events.append(QString(name) + ":created");
                return new LoggingPage(name, log);
            });
    }
    LoggingPage* Page(CQVPropertySheet& sheet, int i) { return static_cast<LoggingPage*>(sheet.GetPage(i)); }
    PageLog log;
};

TEST_F(PropertySheetTest, PagesAreCreatedWhenFirstShownAndOnlyCreatedPagesApply)
{
    CQVPropertySheet sheet("Options");
    AddPages(sheet);
    sheet.show();
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetPage(1), nullptr);
    ASSERT_TRUE(sheet.SetActivePage(2));
    ASSERT_TRUE(sheet.SetActivePage(0));
    EXPECT_TRUE(sheet.PressOK());
    EXPECT_EQ(sheet.result(), IDOK);
    EXPECT_EQ(log.events, QStringList({"a:created", "a:active", "c:created", "c:active", "a:active",
                                       "a:apply", "c:apply"}));
    EXPECT_EQ(sheet.GetPage(1), nullptr);
}

TEST_F(PropertySheetTest, APageThatRefusesKeepsTheSheetAndTheFocus)
{
    CQVPropertySheet sheet("Options");
    AddPages(sheet);
    sheet.show();
    sheet.activateWindow();
    QApplication::processEvents();
    Page(sheet, 0)->refuseToLeave = true;
    EXPECT_FALSE(sheet.SetActivePage(1));
    EXPECT_FALSE(sheet.PressOK());
    EXPECT_FALSE(sheet.PressApply());
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetPage(1), nullptr);
    EXPECT_EQ(sheet.focusWidget(), Page(sheet, 0)->edit);
    EXPECT_FALSE(log.events.contains("a:apply"));
    EXPECT_TRUE(sheet.isVisible());
}

} // namespace
