// Windows: created on first use with their design values, destroyed when closed, modal
// loops, popup menus and the end of the program.
#include "NoWindowLeft.h"
#include "Sequence.h"

#include "Fakes.h"
#include "platform/forms/Form.h"
#include "platform/forms/Forms.h"
#include "platform/forms/HandlerScope.h"
#include "platform/forms/Menu.h"
#include "platform/forms/controls/CommandButton.h"
#include "platform/forms/controls/HScrollBar.h"
#include "platform/system/RuntimeError.h"
#include "platform/system/System.h"

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

class Dialog : public Form {
public:
    Dialog() : Form("Dialog", "dialog", BorderStyle::FixedDialog, 3000, 2000, vbWhite) { finish_design(); }
};

class Main : public Form {
public:
    Main() : Form("Main", "main", BorderStyle::FixedSingle, 9960, 3180, vbButtonFace) { finish_design(); }
    ~Main() override { g_log.push_back("Main destroyed"); }

    // Runs from a press on the bare area when set.
    std::function<void()> on_press;

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
        if (on_press)
            on_press();
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
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void first_use_creates_the_window_hidden_and_closing_destroys_it();
    void load_handler_runs_once_and_presses_on_the_bare_area_reach_the_form();
    void a_window_closed_by_its_own_handler_outlives_the_handler();
    void modal_show_returns_when_the_window_is_hidden();
    void popup_menu_shows_items_and_runs_the_chosen_one_after_closing();
    void end_hides_every_window_without_close_handling();
    void form_places_are_outer_twips();
    void the_program_name_is_the_whole_file_name_data();
    void the_program_name_is_the_whole_file_name();
    void an_error_no_handler_catches_is_shown_then_ends_the_program_data();
    void an_error_no_handler_catches_is_shown_then_ends_the_program();
    void an_error_of_an_event_the_program_raised_goes_back_to_it();
    void a_window_closed_inside_its_popup_menu_outlives_the_handler();
    void a_window_closed_inside_a_modal_dialog_outlives_the_handler_that_opened_it();
};

namespace {

// A press on the main window's bare area, as the window system delivers it.
void press_on(Form& form)
{
    QTest::mouseClick(&form.surface(), Qt::LeftButton, {}, QPoint(100, 100));
}

// Records the end of the program instead of ending the test.
class RecordedEnd : public ProgramEnd {
public:
    void end(int status) override { g_log.push_back("end " + std::to_string(status)); }

private:
    const Override<ProgramEnd> m_in_place { *this };
};

}

void FormsTest::the_program_name_is_the_whole_file_name_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::newRow("as built") << "QK31T0207" << "QK31T0207";
    QTest::newRow("a dot in the name") << "bus.v2" << "bus.v2";
    QTest::newRow("hidden") << ".hidden" << ".hidden";
    QTest::newRow("copied from Windows") << "test.exe" << "test";
    QTest::newRow("upper-case extension") << "TEST.EXE" << "TEST";
    QTest::newRow("nothing but the extension") << ".exe" << ".exe";
    QTest::newRow("exe inside the name") << "bus.exe.bak" << "bus.exe.bak";
}

void FormsTest::the_program_name_is_the_whole_file_name()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QCOMPARE(QString::fromStdString(program_name(file.toStdString())), name);
}

void FormsTest::an_error_no_handler_catches_is_shown_then_ends_the_program_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("shown");
    QTest::newRow("run-time error") << 0 << "ポルカ号: File too large (critical)";
    QTest::newRow("another exception") << 1 << "ポルカ号: std::bad_alloc (critical)";
    QTest::newRow("not an exception class") << 2 << "ポルカ号: Unexpected error (critical)";
}

void FormsTest::an_error_no_handler_catches_is_shown_then_ends_the_program()
{
    QFETCH(int, kind);
    QFETCH(QString, shown);
    RecordingMessageBoxes boxes;
    const RecordedEnd end;
    Main& main = window<Main>();
    main.on_press = [kind] {
        if (kind == 0)
            throw RuntimeError(err::DeviceIOError, "File too large");
        if (kind == 1)
            throw std::bad_alloc();
        throw 42;
    };
    press_on(main);
    g_log.push_back("after the press");
    const Sequence expected { "Form_Load sees itself", "Form_MouseDown 1", "end 1", "after the press" };
    COMPARE_SEQUENCE(expected, g_log, "a handler that fails");
    COMPARE_SEQUENCE(Sequence { shown.toStdString() }, boxes.shown, "the message");
}

void FormsTest::an_error_of_an_event_the_program_raised_goes_back_to_it()
{
    RecordingMessageBoxes boxes;
    const RecordedEnd end;
    Panel& panel = window<Panel>();
    panel.speed.on_change = [] { throw RuntimeError(err::Overflow, "Overflow"); };
    Main& main = window<Main>();
    main.on_press = [&panel] {
        try {
            panel.speed.set_value(7000); // raises Change, which fails
        } catch (const RuntimeError& error) {
            g_log.push_back(std::string("caught ") + error.what());
        }
    };
    press_on(main);
    const Sequence expected { "Panel created", "Form_Load sees itself", "Form_MouseDown 1", "caught Overflow" };
    COMPARE_SEQUENCE(expected, g_log, "the program's own handler catches it");
    COMPARE_SEQUENCE(NothingHappened, boxes.shown, "no message");
}

void FormsTest::a_window_closed_inside_its_popup_menu_outlives_the_handler()
{
    Main& main = window<Main>();
    main.Show();
    main.on_press = [&main] {
        QTimer::singleShot(50, [] {
            window<Main>().surface().close(); // the close box while the menu is open
            g_log.push_back(window_exists<Main>() ? "still there" : "closed");
            if (QWidget* menu = QApplication::activePopupWidget())
                menu->close();
        });
        main.PopupMenu(main.popup);
        g_log.push_back("handler goes on in " + main.caption() + (main.visible() ? ", shown" : ", hidden"));
    };
    press_on(main);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    const Sequence expected { "Form_Load sees itself", "Form_MouseDown 1", "closed", "handler goes on in main, hidden",
                              "Main destroyed" };
    COMPARE_SEQUENCE(expected, g_log, "closed from inside its popup menu");
}

void FormsTest::a_window_closed_inside_a_modal_dialog_outlives_the_handler_that_opened_it()
{
    Main& main = window<Main>();
    main.Show();
    main.on_press = [] {
        Panel& panel = window<Panel>(); // a reference given to the running handler
        panel.Show();
        QTimer::singleShot(50, [] { window<Panel>().surface().close(); });
        QTimer::singleShot(150, [] { window<Dialog>().Unload(); }); // the dialog's loop has turned meanwhile
        window<Dialog>().Show(ShowMode::Modal);
        g_log.push_back("handler goes on with " + panel.caption() + (panel.visible() ? ", shown" : ", hidden"));
    };
    press_on(main);
    QCoreApplication::processEvents();
    const Sequence expected { "Form_Load sees itself", "Form_MouseDown 1", "Panel created", "Panel Form_Unload",
                              "handler goes on with panel, hidden", "Panel destroyed" };
    COMPARE_SEQUENCE(expected, g_log, "closed from inside a modal dialog a handler opened");
    QVERIFY(!window_exists<Panel>() && !window_exists<Dialog>());
}

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
