// Every control of every window: whole captions inside the window, and a name of its own for screen readers.
// ctest runs the caption checks again at scale factors 1.5 and 2.
#include "recording_dialogs.h"
#include "window_test_support.h"

#include "ui/frmFarbTabelle.h"
#include "ui/frmHilfe.h"
#include "ui/frmMain.h"
#include "ui/frmMatrixProj.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>

#include <functional>
#include <memory>
#include <set>

namespace quirlwerk::ui {
namespace {

using testing::control;

// Cut on purpose: elided in the middle, the whole text in its tooltip.
const std::set<QString> exemptFromCaptions = {QStringLiteral("lblBildInfoWert")};

class EveryWindow : public ::testing::Test {
protected:
    EveryWindow()
    {
        testing::clearSettings();
        main->setTerminate([] {});
        for (int i = 0; i < 256; ++i)
            glob.picture.FarbTabelle[i] = {std::int16_t(i), std::int16_t(255 - i), std::int16_t(i / 2), i * 1000};
    }
    ~EveryWindow() override { delete main->helpWindow(); }

    std::vector<QAction*> modeCommands()
    {
        std::vector<QAction*> commands;
        for (const char* menu : {"mnuConv", "mnuSonstiges"})
            for (QAction* action : control<QMenu>(*main, menu).actions())
                commands.push_back(action);
        return commands;
    }

    // Calls `check` with every window in every state that shows other controls or captions.
    void forEveryWindow(const std::function<void(QWidget& window, const QString& state)>& check)
    {
        main->show();
        for (QAction* mode : modeCommands()) {
            mode->trigger();
            check(*main, mode->objectName());
            control<QAction>(*main, "mnuHilfeKonvert").trigger();
            check(*main->helpWindow(), QStringLiteral("Hilfe ") + mode->objectName());
        }
        control<QAction>(*main, "mnuHilfeAllg").trigger();
        check(*main->helpWindow(), QStringLiteral("Hilfe allgemein"));
        check(main->matrixWindow(), QStringLiteral("Matrix"));
        frmFarbTabelle colours(glob, dialogs, {});
        colours.show();
        colours.FillColorGrid();
        check(colours, QStringLiteral("Farbtabelle"));
        // A window added later and opened by one of these steps is checked too.
        const std::set<const QWidget*> known = {main.get(), main->helpWindow(), &main->matrixWindow(), &colours};
        for (QWidget* other : QApplication::topLevelWidgets())
            if (other->isVisible() && !known.contains(other) && !qobject_cast<QMenu*>(other))
                check(*other, other->objectName());
    }

    GlobData glob;
    testing::RecordingDialogs dialogs;
    std::unique_ptr<frmMain> main = std::make_unique<frmMain>(glob, dialogs);
};

QString where(const QWidget& control)
{
    return control.objectName() + QStringLiteral(" \"") + control.property("text").toString() + u'"';
}

// A push button's sizeHint holds the style's minimum button width (80 pixels), which is no part of its
// caption: there the text with the style's margins must fit, or for a button without text its picture.
int neededWidth(const QWidget& control)
{
    const auto* button = qobject_cast<const QPushButton*>(&control);
    if (!button)
        return control.sizeHint().width();
    const int frame = 2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    if (button->text().isEmpty())
        return button->iconSize().width() + frame;
    return button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() + frame +
           button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
}

// Whole: as wide as its caption needs (as high, for a label that wraps); inside its parent and its window.
void expectWhole(const QWidget& window, const QWidget& control, bool mayReachPast)
{
    SCOPED_TRACE(where(control).toStdString());
    const auto* label = qobject_cast<const QLabel*>(&control);
    if (label && label->wordWrap())
        EXPECT_LE(label->heightForWidth(label->width()), label->height());
    else
        EXPECT_LE(neededWidth(control), control.width());
    if (mayReachPast)
        return;
    EXPECT_TRUE(control.parentWidget()->rect().contains(control.geometry()))
        << control.geometry().x() << "," << control.geometry().y() << " " << control.width() << "x" << control.height()
        << " in " << control.parentWidget()->width() << "x" << control.parentWidget()->height();
    const QRect inWindow(control.mapTo(&window, QPoint(0, 0)), control.size());
    EXPECT_TRUE(window.rect().contains(inWindow));
}

void expectWholeCaptions(const QWidget& window, const std::function<bool(const QWidget&)>& mayReachPast)
{
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const bool captioned = qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control);
        if (captioned && control->isVisibleTo(&window) && !exemptFromCaptions.contains(control->objectName()))
            expectWhole(window, *control, mayReachPast(*control));
    }
}

TEST_F(EveryWindow, captions_are_whole_at_the_default_size)
{
    forEveryWindow([](QWidget& window, const QString& state) {
        SCOPED_TRACE(state.toStdString());
        expectWholeCaptions(window, [](const QWidget&) { return false; });
    });
}

TEST_F(EveryWindow, captions_are_whole_at_the_minimum_size_where_the_layout_keeps_them_inside)
{
    testing::showActive(*main);
    main->resize(1, 1);
    QApplication::processEvents();
    const QWidget& picture = control<QWidget>(*main, "frameBild");
    // The layout rules let the button pair, a long heading and the picture frame's rows reach past the window.
    const auto mayReachPast = [&picture](const QWidget& control) {
        const QString name = control.objectName();
        return name == u"cmdDecrypt" || name == u"cmdCrypt" || name == u"lblHeader" || picture.isAncestorOf(&control);
    };
    for (QAction* mode : modeCommands()) {
        SCOPED_TRACE(mode->objectName().toStdString());
        mode->trigger();
        expectWholeCaptions(*main, mayReachPast);
    }
}

TEST_F(EveryWindow, every_focusable_control_has_a_name_of_its_own)
{
    forEveryWindow([](QWidget& window, const QString& state) {
        SCOPED_TRACE(state.toStdString());
        std::map<QString, QString> owners;   // accessible name -> object name
        for (QWidget* control : window.findChildren<QWidget*>()) {
            if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(&window))
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            ASSERT_NE(accessible, nullptr);
            const QString name = accessible->text(QAccessible::Name);
            SCOPED_TRACE(control->objectName().toStdString() + " \"" + name.toStdString() + "\"");
            EXPECT_FALSE(name.trimmed().isEmpty());
            const auto [owner, added] = owners.emplace(name, control->objectName());
            EXPECT_TRUE(added) << "also " << owner->second.toStdString();
        }
    });
}

} // namespace
} // namespace quirlwerk::ui
