// Every control of every window: whole captions inside the window, and a name of its own for screen readers.
// ctest runs the caption checks again at scale factors 1.5 and 2.
#include "window_test_support.h"

#include "ui/frmFarbTabelle.h"
#include "ui/frmHilfe.h"
#include "ui/frmMain.h"
#include "ui/frmMatrixProj.h"

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

    // Calls `check` with every window in every state that shows other controls or captions.
    void forEveryWindow(const std::function<void(QWidget& window, const QString& state)>& check)
    {
        main->show();
        for (QAction* mode : control<QMenu>(*main, "mnuConv").actions() + control<QMenu>(*main, "mnuSonstiges").actions()) {
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
    }

    GlobData glob;
    testing::RecordingDialogs dialogs;
    std::unique_ptr<frmMain> main = std::make_unique<frmMain>(glob, dialogs);
};

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
void expectWhole(const QWidget& window, const QWidget& control)
{
    SCOPED_TRACE(control.objectName().toStdString());
    const auto* label = qobject_cast<const QLabel*>(&control);
    if (label && label->wordWrap())
        EXPECT_LE(label->heightForWidth(label->width()), label->height());
    else
        EXPECT_LE(neededWidth(control), control.width());
    EXPECT_TRUE(control.parentWidget()->rect().contains(control.geometry()));
    const QRect inWindow(control.mapTo(&window, QPoint(0, 0)), control.size());
    EXPECT_TRUE(window.rect().contains(inWindow));
}

void expectWholeCaptions(const QWidget& window)
{
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const bool captioned = qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control);
        if (captioned && control->isVisibleTo(&window) && !exemptFromCaptions.contains(control->objectName()))
            expectWhole(window, *control);
    }
}

// The controls (named by their kind: txt, cmd, lbl, opt, grid, pic) of one container do not overlap.
void expectApart(const QWidget& window)
{
    static const QRegularExpression kind(QStringLiteral("^(txt|cmd|lbl|opt|gr|pic)"));
    std::vector<const QWidget*> controls;
    for (const QWidget* control : window.findChildren<QWidget*>())
        if (control->isVisibleTo(&window) && kind.match(control->objectName()).hasMatch())
            controls.push_back(control);
    for (const QWidget* a : controls)
        for (const QWidget* b : controls)
            EXPECT_TRUE(a >= b || a->parentWidget() != b->parentWidget() || !a->geometry().intersects(b->geometry()))
                << a->objectName().toStdString() << " " << b->objectName().toStdString();
}

TEST_F(EveryWindow, captions_are_whole_and_controls_apart_at_the_default_size)
{
    forEveryWindow([](QWidget& window, const QString& state) {
        SCOPED_TRACE(state.toStdString());
        expectWholeCaptions(window);
        expectApart(window);
    });
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
