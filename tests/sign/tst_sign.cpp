// The destination sign: its list of files, the arrow keys, the focus and the path rule.
#include "Fakes.h"
#include "ProgramState.h"
#include "SignFolder.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmBrowseDir.h"
#include "dialogs/frmSet.h"
#include "platform/Forms.h"
#include "platform/KeyCodes.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace platform;

namespace {

Form1& bus_pointed_at(const SignFolder& folder)
{
    Form1& bus = window<Form1>();
    Common::HkPath[0] = folder.path();
    bus.picDir();
    return bus;
}

// Presses the keys on the sign; after each, "index <HkIndex> sign <shown>".
Sequence press(Form1& bus, std::initializer_list<Qt::Key> keys)
{
    Sequence rows;
    for (Qt::Key key : keys) {
        QTest::keyClick(&bus.Picture1.widget(), key);
        rows.push_back("index " + std::to_string(Common::HkIndex) + " sign " + std::to_string(sign_shown(bus.ImgDesiMaku.width())));
    }
    return rows;
}

Sequence listing(const Form1& bus)
{
    Sequence names;
    for (int i = 0; i < bus.File1.list_count(); ++i)
        names.push_back(bus.File1.list(i));
    return names;
}

}

class SignTest : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_program_state(); }
    void cleanup() { destroy_all_forms(); }

    void list_holds_only_sign_files_in_name_order();
    void list_is_taken_when_the_folder_is_set();
    void arrow_keys_step_without_wrapping();
    void holding_down_stops_at_the_last_sign();
    void empty_folder_keeps_the_index_at_the_first_place();
    void shorter_second_folder_shows_nothing_past_its_end();
    void a_sign_that_fails_to_load_still_moves_the_index();
    void every_key_gives_the_folder_its_separator();
    void clicks_on_the_sign_and_front_door_give_the_sign_the_focus();
    void large_sign_shows_only_its_top_left_corner();
    void keypad_leaves_the_arrow_position_alone();
    void missing_folder_keeps_the_old_list();

private:
    RecordingMessageBoxes m_boxes;
    RecordingSoundSink m_sound;
};

void SignTest::list_holds_only_sign_files_in_name_order()
{
    SignFolder folder;
    folder.add_sign("b.bmp", 1);
    folder.add_file("A.gif"); // the list goes by name only
    folder.add_file("c.txt");
    folder.add_sign("d.JPG", 3, "JPG");
    folder.add_sign("e.JpEg", 4, "JPG");
    folder.add_folder("f.bmp");
    folder.add_sign(".hidden.bmp", 5);
    const Sequence expected { "A.gif", "b.bmp", "d.JPG", "e.JpEg" };
    COMPARE_SEQUENCE(expected, listing(bus_pointed_at(folder)), "mixed folder");
}

void SignTest::list_is_taken_when_the_folder_is_set()
{
    SignFolder folder(2);
    Form1& bus = bus_pointed_at(folder);
    folder.add_sign("sign_002.bmp", 2);
    QCOMPARE(bus.File1.list_count(), 2);
    QCOMPARE(bus.File1.list(2), std::string());
    QCOMPARE(bus.File1.list(-1), std::string());
}

void SignTest::arrow_keys_step_without_wrapping()
{
    SignFolder folder(3);
    Form1& bus = bus_pointed_at(folder);
    QCOMPARE(sign_shown(bus.ImgDesiMaku.width()), -1); // the built-in sign until a key is pressed
    const Sequence expected {
        "index 0 sign -1", // Up on the first place does nothing
        "index 1 sign 1",  "index 2 sign 2",
        "index 2 sign 2",  // Down on the last sign does nothing
        "index 1 sign 1",  "index 0 sign 0",
        "index 0 sign 0",
    };
    COMPARE_SEQUENCE(expected, press(bus, { Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up }),
                     "Up, Down x3, Up x3");
}

void SignTest::holding_down_stops_at_the_last_sign()
{
    SignFolder folder(20);
    Form1& bus = bus_pointed_at(folder);
    for (int i = 0; i < 40; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(&bus.Picture1.widget(), &repeat);
    }
    QCOMPARE(Common::HkIndex, 19);
    QCOMPARE(sign_shown(bus.ImgDesiMaku.width()), 19);
}

void SignTest::empty_folder_keeps_the_index_at_the_first_place()
{
    SignFolder folder;
    folder.add_file("readme.txt");
    Form1& bus = bus_pointed_at(folder);
    const Sequence expected { "index 0 sign -1", "index 0 sign -1", "index 0 sign -1" };
    COMPARE_SEQUENCE(expected, press(bus, { Qt::Key_Down, Qt::Key_Down, Qt::Key_Up }), "folder without signs");
}

void SignTest::shorter_second_folder_shows_nothing_past_its_end()
{
    SignFolder first(6);
    SignFolder second(2);
    Form1& bus = bus_pointed_at(first);
    press(bus, { Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down });
    Common::HkPath[0] = second.path();
    bus.picDir();
    QCOMPARE(sign_shown(bus.ImgDesiMaku.width()), 4); // a new folder changes only the list
    const Sequence expected {
        "index 4 sign 4", // past the end of the new list: Down stays
        "index 3 sign 4", "index 2 sign 4", // entries the list does not have: nothing shown
        "index 1 sign 1", // the first Up that reaches the list shows its entry
    };
    COMPARE_SEQUENCE(expected, press(bus, { Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up }), "second folder");
}

void SignTest::a_sign_that_fails_to_load_still_moves_the_index()
{
    SignFolder folder(1);
    folder.add_file("sign_001.bmp", "broken");
    folder.add_sign("sign_002.bmp", 2);
    Form1& bus = bus_pointed_at(folder);
    const Sequence expected { "index 1 sign -1", "index 2 sign 2", "index 1 sign 2", "index 0 sign 0" };
    COMPARE_SEQUENCE(expected, press(bus, { Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up }), "a broken sign in the middle");
    QVERIFY(m_boxes.shown.empty());
}

void SignTest::every_key_gives_the_folder_its_separator()
{
    Form1& bus = window<Form1>();
    Common::HkPath[0] = "";
    QTest::keyClick(&bus.Picture1.widget(), Qt::Key_X); // ignored, but the rule applies
    QCOMPARE(Common::HkPath[0], std::string("/"));
    Common::HkPath[0] = "/tmp/signs";
    QTest::keyClick(&bus.Picture1.widget(), Qt::Key_Down);
    QCOMPARE(Common::HkPath[0], std::string("/tmp/signs/"));
    QTest::keyClick(&bus.Picture1.widget(), Qt::Key_Up);
    QCOMPARE(Common::HkPath[0], std::string("/tmp/signs/")); // only one
}

void SignTest::clicks_on_the_sign_and_front_door_give_the_sign_the_focus()
{
    Form1& bus = window<Form1>();
    bus.Show();
    QVERIFY(QTest::qWaitForWindowActive(&bus.surface()));
    const QPoint front_door = bus.Image1(2).pixel_rect().center();
    const QPoint sign = QPoint(5, 5);
    for (const auto& [widget, place] : { std::pair { &bus.surface(), front_door }, std::pair { &bus.Picture1.widget(), sign } }) {
        bus.PicKanban.SetFocus();
        QVERIFY(!bus.Picture1.widget().hasFocus());
        QTest::mouseClick(widget, Qt::LeftButton, {}, place);
        QVERIFY(bus.Picture1.widget().hasFocus());
    }
}

void SignTest::large_sign_shows_only_its_top_left_corner()
{
    SignFolder folder;
    QImage big(104, 64, QImage::Format_RGB32);
    big.fill(Qt::blue);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 52; ++x)
            big.setPixelColor(x, y, Qt::red); // the top-left quarter
    big.save(QString::fromStdString(folder.path()) + "/a.bmp");
    folder.add_sign("b.bmp", 1);
    Form1& bus = bus_pointed_at(folder);
    press(bus, { Qt::Key_Down, Qt::Key_Up });
    const QImage shown = bus.Picture1.widget().grab().toImage();
    QCOMPARE(shown.size(), QSize(52, 32));
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(shown.pixelColor(51, 31), QColor(Qt::red));
}

void SignTest::keypad_leaves_the_arrow_position_alone()
{
    SignFolder folder(8);
    Form1& bus = bus_pointed_at(folder);
    frmSet& panel = window<frmSet>();
    press(bus, { Qt::Key_Down });
    panel.Command2(5).press();
    panel.Command2(11).press();
    QCOMPARE(sign_shown(bus.ImgDesiMaku.width()), 5);
    COMPARE_SEQUENCE(Sequence { "index 2 sign 2" }, press(bus, { Qt::Key_Down }), "Down after the keypad showed 5");
}

void SignTest::missing_folder_keeps_the_old_list()
{
    SignFolder folder(3);
    Form1& bus = bus_pointed_at(folder);
    Common::HkPath[0] = folder.path() + "/no such folder";
    QTimer::singleShot(0, [] { window<frmBrowseDir>().Command2(1).press(); }); // the chooser comes again: cancel it
    bus.picDir();
    QCOMPARE(bus.File1.list_count(), 3);
    QCOMPARE(Common::HkPath[0], folder.path() + "/no such folder");
    COMPARE_SEQUENCE(Sequence { "ポルカ号: 指定したパスが見つかりません。再度指定しなおしてください。" }, m_boxes.shown,
                     "a folder that does not exist");
}

QTEST_MAIN(SignTest)
#include "tst_sign.moc"
