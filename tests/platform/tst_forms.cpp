// Windows: closed while their popup menu is open, errors no handler catches, the program's name.
// Creating, showing, menus and the end of the program are seen through the bus in tst_form1.
#include "NoWindowLeft.h"
#include "Sequence.h"

#include "Fakes.h"
#include "platform/forms/Form.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Menu.h"
#include "platform/system/RuntimeError.h"
#include "platform/system/System.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace platform;

namespace {

Sequence g_log;

class Main : public Form {
public:
    Main() : Form("Main", "main", BorderStyle::FixedSingle, 9960, 3180, vbButtonFace) { finish_design(); }
    ~Main() override { g_log.push_back("Main destroyed"); }

    // Runs from a press on the bare area.
    std::function<void()> on_press;
    Menu popup { *this, "popup", "popup" };
    Menu shown { popup, "shown", "看板の表示", true };

protected:
    void Form_MouseDown(std::int16_t, std::int16_t, float, float) override { on_press(); }
};

// A press on the main window's bare area, as the window system delivers it.
void press_on(Main& main, std::function<void()> handler)
{
    main.on_press = std::move(handler);
    QTest::mouseClick(&main.surface(), Qt::LeftButton, {}, QPoint(100, 100));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Records the end of the program instead of ending the test.
class RecordedEnd : public StandIn<ProgramEnd> {
public:
    void end(int status) override { g_log.push_back("end " + std::to_string(status)); }
};

}

class FormsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { g_log.clear(); }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void a_window_closed_inside_its_popup_menu_outlives_the_handler();
    void an_error_no_handler_catches_is_shown_then_ends_the_program_data();
    void an_error_no_handler_catches_is_shown_then_ends_the_program();
    void the_program_name_is_the_whole_file_name_data();
    void the_program_name_is_the_whole_file_name();
};

void FormsTest::a_window_closed_inside_its_popup_menu_outlives_the_handler()
{
    Main& main = window<Main>();
    main.Show();
    press_on(main, [&main] {
        QTimer::singleShot(50, [] {
            window<Main>().surface().close(); // the close box while the menu is open
            g_log.push_back(window_exists<Main>() ? "still there" : "closed");
            if (QWidget* menu = QApplication::activePopupWidget())
                menu->close();
        });
        main.PopupMenu(main.popup);
        g_log.push_back("handler goes on in " + main.caption() + (main.visible() ? ", shown" : ", hidden"));
    });
    const Sequence expected { "closed", "handler goes on in main, hidden", "Main destroyed" };
    COMPARE_SEQUENCE(expected, g_log, "closed from inside its popup menu");
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
    press_on(window<Main>(), [kind] {
        if (kind == 0)
            throw RuntimeError(err::DeviceIOError, "File too large");
        if (kind == 1)
            throw std::bad_alloc();
        throw 42;
    });
    g_log.push_back("after the press");
    COMPARE_SEQUENCE((Sequence { "end 1", "after the press" }), g_log, "a handler that fails");
    COMPARE_SEQUENCE(Sequence { shown.toStdString() }, boxes.shown, "the message");
}

void FormsTest::the_program_name_is_the_whole_file_name_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::newRow("a dot in the name") << "bus.v2" << "bus.v2";
    QTest::newRow("copied from Windows") << "TEST.EXE" << "TEST";
    QTest::newRow("nothing but the extension") << ".exe" << ".exe";
    QTest::newRow("exe inside the name") << "bus.exe.bak" << "bus.exe.bak";
}

void FormsTest::the_program_name_is_the_whole_file_name()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QCOMPARE(QString::fromStdString(program_name(file.toStdString())), name);
    QCOMPARE(exe_name(), std::string("tst_forms")); // without its folder
}

QTEST_MAIN(FormsTest)
#include "tst_forms.moc"
