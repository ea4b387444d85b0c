#include "ScriptedPrompts.h"
#include "foundation/controls/ControlHelpers.h"
#include "foundation/controls/DeferredStandardIcon.h"
#include "foundation/controls/NumericEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QValidator>
#include <gtest/gtest.h>

namespace {

TEST(SetMissingIfEmpty, EmptyEditsBecomeTheUnsetValueOfTheirKind)
{
    QWidget dialog;
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName("amount");
    double value = 5;
    long longValue = 5;
    EXPECT_TRUE(SetMissingIfEmpty(&dialog, "amount", MISSING_DOUBLE, &value, &longValue));
    EXPECT_EQ(value, 1e35);
    EXPECT_EQ(longValue, 5);
    EXPECT_TRUE(SetMissingIfEmpty(edit, MISSING_LONG, &value, &longValue));
    EXPECT_EQ(longValue, 99999999);

    value = 5;
    edit->setText("3");
    EXPECT_FALSE(SetMissingIfEmpty(edit, MISSING_DOUBLE, &value, &longValue));
    EXPECT_FALSE(SetMissingIfEmpty(&dialog, "absent", MISSING_DOUBLE, &value, &longValue));
    EXPECT_FALSE(SetMissingIfEmpty(nullptr, "amount", MISSING_DOUBLE, &value, &longValue));
    EXPECT_EQ(value, 5);
}

// Drawn from the style once asked for, the icon is the style's own in every size it has.
TEST(DeferredStandardIcon, DrawsAsTheStylesStandardIcon)
{
    for (QStyle::StandardPixmap which : {QStyle::SP_FileIcon, QStyle::SP_TrashIcon, QStyle::SP_FileDialogListView}) {
        const QIcon deferred = DeferredStandardIcon(which);
        const QIcon standard = QApplication::style()->standardIcon(which);
        EXPECT_FALSE(deferred.isNull());
        EXPECT_EQ(deferred.availableSizes(), standard.availableSizes());
        for (int size : {16, 32}) {
            EXPECT_EQ(deferred.pixmap(size).toImage(), standard.pixmap(size).toImage()) << which << " " << size;
            EXPECT_EQ(deferred.pixmap(size, QIcon::Disabled).toImage(), standard.pixmap(size, QIcon::Disabled).toImage());
        }
    }
}

TEST(ShowError, StopIconThenFocusAndSelection)
{
    ScriptedPromptService prompts;
    QWidget dialog;
    auto* edit = new QLineEdit("Reactor", &dialog);
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
    prompts.expect(IDOK);
    ShowErrorAndSelectAll(edit, "Please specify Area name!");
    EXPECT_EQ(prompts.texts(), QStringList{"Please specify Area name!"});
    EXPECT_EQ(prompts.flags().first(), unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(edit->selectedText(), "Reactor");
    EXPECT_EQ(dialog.focusWidget(), edit);
    prompts.expect(IDOK);
    ShowErrorAndFocus(nullptr, "no control"); // the message still shows
    EXPECT_EQ(prompts.lastText(), "no control");
}

TEST(NumericEdit, ReadsAndShowsNumbersInTheCLocale)
{
    CNumericEdit edit;
    edit.SetValue(1234.56789);
    EXPECT_EQ(edit.text(), "1234.568");
    edit.SetValue(1e35);
    EXPECT_EQ(edit.text(), "");
    double value = 0;
    EXPECT_TRUE(edit.GetValue(&value, false));
    EXPECT_EQ(value, 1e35);
    int pos = 0;
    QString partial = "-1.5e";
    EXPECT_NE(edit.validator()->validate(partial, pos), QValidator::Invalid);
    QString letters = "1.5x";
    EXPECT_EQ(edit.validator()->validate(letters, pos), QValidator::Invalid);
}

} // namespace
