// Windows: created on first use with their design values, destroyed when closed, modal
// loops, popup menus and the end of the program.
#include "Sequence.h"

#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Forms.h"
#include "platform/HScrollBar.h"
#include "platform/Menu.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <cmath>

using namespace platform;

namespace {

Sequence g_log;

class Panel : public Form {
public:
    Panel()
        : Form("Panel", "panel", BorderStyle::FixedToolWindow, 3945, 2565, RGB(64, 64, 64))
    {
        g_log.push_back("Panel created");
        close_self.on_click = [this] {
            Unload();
            g_log.push_back("still running in " + caption()); // the window outlives its handler
        };
        finish_design();
    }
    ~Panel() override { g_log.push_back("Panel destroyed"); }

    HScrollBar speed { *this, "speed", { .rect { 0, 0, 1500, 240 }, .min = 1, .max = 30000, .value = 6000 } };
    CommandButton close_self { *this, "close_self", { .rect { 0, 300, 1000, 300 }, .caption = "close" } };

protected:
    void Form_Unload(std::int16_t&) override { g_log.push_back("Panel Form_Unload"); }
};

class Main : public Form {
public:
    Main() : Form("Main", "main", BorderStyle::FixedSingle, 9960, 3180, vbButtonFace) { finish_design(); }

    // A checked item, a separator and a plain item.
    Menu popup { *this, "popup", "popup" };
    Menu shown { popup, "shown", "看板の表示", true };
    Menu bar { popup, "bar", "-" };
    Menu framed { popup, "framed", "枠の表示" };

protected:
    void Form_Load() override
    {
        // The window is reachable by name while it loads.
        g_log.push_back(&window<Main>() == this ? "Form_Load sees itself" : "Form_Load sees another");
    }
    void Form_MouseDown(std::int16_t Button, std::int16_t, float, float) override
    {
        g_log.push_back("Form_MouseDown " + std::to_string(Button));
    }
};

// What a panel shows of its design values, and whether it is on the screen.
std::string state_of(Panel& panel)
{
    const auto twips = [](float value) { return std::to_string(std::lround(value)); };
    return panel.caption() + " " + twips(panel.scale_width()) + " x " + twips(panel.scale_height()) + " speed "
        + std::to_string(panel.speed.value()) + (panel.visible() ? " shown" : " hidden");
}

}

class FormsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { g_log.clear(); }
    void cleanup() { destroy_all_forms(); }

    void first_use_creates_the_window_hidden_and_closing_destroys_it();
    void load_handler_runs_once_and_presses_on_the_bare_area_reach_the_form();
    void a_window_closed_by_its_own_handler_outlives_the_handler();
    void modal_show_returns_when_the_window_is_hidden();
    void popup_menu_shows_items_and_runs_the_chosen_one_after_closing();
    void end_hides_every_window_without_close_handling();
    void form_places_are_outer_twips();
};

void FormsTest::first_use_creates_the_window_hidden_and_closing_destroys_it()
{
    QVERIFY(!window_exists<Panel>());
    const std::string design = state_of(window<Panel>());
    QCOMPARE(design, "panel 3945 x 2565 speed 6000 hidden");
    window<Panel>().Show();
    window<Panel>().speed.set_value(123);
    window<Panel>().surface().close(); // the close box
    QCoreApplication::processEvents();
    QCOMPARE(state_of(window<Panel>()), design); // a later use creates it afresh
    // Created once a life, however often it is used.
    const Sequence expected { "Panel created", "Panel Form_Unload", "Panel destroyed", "Panel created" };
    COMPARE_SEQUENCE(expected, g_log, "close box, then a later use");
}

void FormsTest::load_handler_runs_once_and_presses_on_the_bare_area_reach_the_form()
{
    window<Main>().Show();
    QTest::mouseClick(&window<Main>().surface(), Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseClick(&window<Main>().surface(), Qt::LeftButton, {}, QPoint(100, 100));
    const Sequence expected { "Form_Load sees itself", "Form_MouseDown 2", "Form_MouseDown 1" };
    COMPARE_SEQUENCE(expected, g_log, "several uses, then presses on the bare area");
}

void FormsTest::a_window_closed_by_its_own_handler_outlives_the_handler()
{
    window<Panel>().Show();
    window<Panel>().close_self.press();
    QVERIFY(!window_exists<Panel>());
    QCoreApplication::processEvents();
    const Sequence expected { "Panel created", "Panel Form_Unload", "still running in panel", "Panel destroyed" };
    COMPARE_SEQUENCE(expected, g_log, "Unload from its own button");
}

void FormsTest::modal_show_returns_when_the_window_is_hidden()
{
    QTimer::singleShot(0, [] {
        const bool modal = QApplication::activeModalWidget() == &window<Panel>().surface();
        g_log.push_back(window<Panel>().visible() && modal ? "modal and visible" : "not modal");
        window<Panel>().Hide();
    });
    window<Panel>().Show(ShowMode::Modal);
    g_log.push_back("Show returned");
    const Sequence expected { "Panel created", "modal and visible", "Show returned" };
    COMPARE_SEQUENCE(expected, g_log, "a modal window hidden from inside its loop");
}

void FormsTest::popup_menu_shows_items_and_runs_the_chosen_one_after_closing()
{
    Main& main = window<Main>();
    main.framed.on_click = [] { g_log.push_back(QApplication::activePopupWidget() ? "clicked, menu open" : "clicked"); };
    Sequence rows;
    QTimer::singleShot(50, [&rows] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (const QAction* action : menu->actions()) // caption, "[x]" when checked, "---" for a separator
            rows.push_back(action->isSeparator() ? "---"
                                                 : action->text().toStdString() + (action->isChecked() ? " [x]" : ""));
        menu->actions().at(2)->trigger();
        menu->close();
    });
    main.Show();
    main.PopupMenu(main.popup);
    g_log.push_back("PopupMenu returned");
    const Sequence expected_rows { "看板の表示 [x]", "---", "枠の表示" };
    COMPARE_SEQUENCE(expected_rows, rows, "the popup's items");
    const Sequence expected { "Form_Load sees itself", "clicked", "PopupMenu returned" };
    COMPARE_SEQUENCE(expected, g_log, "choosing an item");
}

void FormsTest::end_hides_every_window_without_close_handling()
{
    window<Main>().Show();
    window<Panel>().Show();
    g_log.clear();
    End();
    QVERIFY(!window<Main>().visible() && !window<Panel>().visible());
    COMPARE_SEQUENCE(NothingHappened, g_log, "End");
}

void FormsTest::form_places_are_outer_twips()
{
    Panel& panel = window<Panel>();
    panel.set_left(300);
    panel.set_top(3630);
    QCOMPARE(QPointF(panel.left(), panel.top()), QPointF(300, 3630));
    // Without a window manager (offscreen) there is no frame: outer size is the client size.
    QCOMPARE(panel.height(), panel.scale_height());
}

QTEST_MAIN(FormsTest)
#include "tst_forms.moc"
