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

using namespace platform;

namespace {

Sequence g_log;

class Panel : public Form {
public:
    Panel()
        : Form("Panel", "panel", BorderStyle::FixedToolWindow, 3945, 2565, RGB(64, 64, 64))
    {
        ++created;
        close_self.on_click = [this] {
            Unload();
            g_log.push_back("still running in " + caption()); // the window outlives its handler
        };
        finish_design();
    }
    ~Panel() override { g_log.push_back("Panel destroyed"); }

    static inline int created = 0;
    HScrollBar speed { *this, "speed", { .rect { 0, 0, 1500, 240 }, .min = 1, .max = 30000, .value = 6000 } };
    CommandButton close_self { *this, "close_self", { .rect { 0, 300, 1000, 300 }, .caption = "close" } };

protected:
    void Form_Unload(std::int16_t&) override { g_log.push_back("Panel Form_Unload"); }
};

class Main : public Form {
public:
    Main()
        : Form("Main", "main", BorderStyle::FixedSingle, 9960, 3180, vbButtonFace)
    {
        finish_design();
    }

    Menu popup { *this, "popup", "popup" };
    Menu shown { popup, "shown", "看板の表示", true };
    Menu framed { popup, "framed", "枠の表示", true };
    Menu choose { popup, "choose", "看板の画像を設定..." };
    Menu bar { popup, "bar", "-" };
    Menu reset { popup, "reset", "看板のリセット" };

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

// The rows of an open popup menu: caption, "[x]" when checked, "---" for a separator.
Sequence menu_rows(const QMenu& menu)
{
    Sequence rows;
    for (const QAction* action : menu.actions())
        rows.push_back(action->isSeparator() ? "---" : action->text().toStdString() + (action->isChecked() ? " [x]" : ""));
    return rows;
}

}

class FormsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { g_log.clear(); Panel::created = 0; }
    void cleanup()
    {
        destroy_all_forms();
        QVERIFY(QApplication::topLevelWidgets().isEmpty() || !QApplication::activeModalWidget());
    }

    void first_use_creates_the_window_hidden_with_design_values();
    void closing_destroys_and_a_later_use_creates_afresh();
    void load_handler_runs_once_and_sees_its_window();
    void a_window_closed_by_its_own_handler_outlives_the_handler();
    void modal_show_returns_when_the_window_is_hidden();
    void popup_menu_shows_items_and_runs_the_chosen_one_after_closing();
    void mouse_down_reaches_the_form_only_on_its_bare_area();
    void end_hides_every_window_without_close_handling();
    void form_places_are_outer_twips();
};

void FormsTest::first_use_creates_the_window_hidden_with_design_values()
{
    QVERIFY(!window_exists<Panel>());
    QCOMPARE(window<Panel>().speed.value(), 6000);
    QVERIFY(window_exists<Panel>());
    QVERIFY(!window<Panel>().visible());
    QCOMPARE(window<Panel>().caption(), std::string("panel"));
    QCOMPARE(window<Panel>().scale_width(), 3945.f);
    QCOMPARE(window<Panel>().scale_height(), 2565.f);
    QCOMPARE(Panel::created, 1);
}

void FormsTest::closing_destroys_and_a_later_use_creates_afresh()
{
    window<Panel>().Show();
    window<Panel>().speed.set_value(123);
    window<Panel>().surface().close(); // the close box
    QVERIFY(!window_exists<Panel>());
    QCoreApplication::processEvents();
    QCOMPARE(window<Panel>().speed.value(), 6000);
    QCOMPARE(Panel::created, 2);
    const Sequence expected { "Panel Form_Unload", "Panel destroyed" };
    COMPARE_SEQUENCE(expected, g_log, "close box, then a later use");
}

void FormsTest::load_handler_runs_once_and_sees_its_window()
{
    window<Main>();
    window<Main>().set_caption("x");
    COMPARE_SEQUENCE(Sequence { "Form_Load sees itself" }, g_log, "first use and a second one");
}

void FormsTest::a_window_closed_by_its_own_handler_outlives_the_handler()
{
    window<Panel>().Show();
    window<Panel>().close_self.press();
    QVERIFY(!window_exists<Panel>());
    QCoreApplication::processEvents();
    const Sequence expected { "Panel Form_Unload", "still running in panel", "Panel destroyed" };
    COMPARE_SEQUENCE(expected, g_log, "Unload from its own button");
}

void FormsTest::modal_show_returns_when_the_window_is_hidden()
{
    QTimer::singleShot(0, [] {
        g_log.push_back(window<Panel>().visible() && QApplication::activeModalWidget() == &window<Panel>().surface()
                            ? "modal and visible"
                            : "not modal");
        window<Panel>().Hide();
    });
    window<Panel>().Show(ShowMode::Modal);
    g_log.push_back("Show returned");
    const Sequence expected { "modal and visible", "Show returned" };
    COMPARE_SEQUENCE(expected, g_log, "a modal window hidden from inside its loop");
}

void FormsTest::popup_menu_shows_items_and_runs_the_chosen_one_after_closing()
{
    Main& main = window<Main>();
    g_log.clear();
    main.framed.on_click = [] { g_log.push_back(QApplication::activePopupWidget() ? "clicked, menu open" : "clicked"); };
    Sequence rows;
    QTimer::singleShot(50, [&rows] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        rows = menu_rows(*menu);
        menu->actions().at(1)->trigger();
        menu->close();
    });
    main.Show();
    main.PopupMenu(main.popup);
    g_log.push_back("PopupMenu returned");
    const Sequence expected_rows { "看板の表示 [x]", "枠の表示 [x]", "看板の画像を設定...", "---", "看板のリセット" };
    COMPARE_SEQUENCE(expected_rows, rows, "the popup's items");
    COMPARE_SEQUENCE((Sequence { "clicked", "PopupMenu returned" }), g_log, "choosing an item");
}

void FormsTest::mouse_down_reaches_the_form_only_on_its_bare_area()
{
    Main& main = window<Main>();
    g_log.clear();
    main.Show();
    QTest::mouseClick(&main.surface(), Qt::RightButton, {}, QPoint(100, 100));
    QTest::mouseClick(&main.surface(), Qt::LeftButton, {}, QPoint(100, 100));
    COMPARE_SEQUENCE((Sequence { "Form_MouseDown 2", "Form_MouseDown 1" }), g_log, "presses on the bare area");
}

void FormsTest::end_hides_every_window_without_close_handling()
{
    window<Main>().Show();
    window<Panel>().Show();
    g_log.clear();
    End();
    QVERIFY(!window<Main>().visible());
    QVERIFY(!window<Panel>().visible());
    COMPARE_SEQUENCE(NothingHappened, g_log, "End");
}

void FormsTest::form_places_are_outer_twips()
{
    Panel& panel = window<Panel>();
    panel.set_left(300);
    panel.set_top(3630);
    QCOMPARE(panel.left(), 300.f);
    QCOMPARE(panel.top(), 3630.f);
    // Without a window manager (offscreen) there is no frame: outer size is the client size.
    QCOMPARE(panel.height(), panel.scale_height());
}

QTEST_MAIN(FormsTest)
#include "tst_forms.moc"
