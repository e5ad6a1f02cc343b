// The signboard and its frame, driven as a user drives them: mouse buttons on the box, its
// popup menu, the open-file dialog. The moves of the box and the bars are recorded and
// compared with the expected moves.
#include "Fakes.h"
#include "NoWindowLeft.h"
#include "ProgramState.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "platform/forms/Forms.h"
#include "platform/picture/LoadPicture.h"

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace platform;

namespace {

// Mouse events carry times of their own, far enough apart that only a double click counts
// as one.
class Mouse {
public:
    explicit Mouse(Form1& bus)
        : m_bus(bus)
    {
    }

    // A press at the middle of the box, or of where it stands while it is hidden.
    void press(Qt::MouseButton button) { send(QEvent::MouseButtonPress, button, button, middle_of_box(), 1000); }
    void release(Qt::MouseButton button, QPoint global) { send(QEvent::MouseButtonRelease, button, Qt::NoButton, global); }
    void move(QPoint global) { send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, global); }

    void drag(QPoint by)
    {
        const QPoint from = middle_of_box();
        QTimer::singleShot(0, [this, from, by] { // inside the move loop
            move(from + by / 2);
            move(from + by);
            release(Qt::LeftButton, from + by);
        });
        press(Qt::LeftButton);
    }

    // Escape half-way, then the release the loop no longer waits for.
    void drag_and_escape(QPoint by)
    {
        const QPoint from = middle_of_box();
        QTimer::singleShot(0, [this, from, by] {
            move(from + by);
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(&m_bus.surface(), &escape);
            release(Qt::LeftButton, from + by);
        });
        press(Qt::LeftButton);
    }

    void double_click()
    {
        const QPoint at = middle_of_box();
        QTimer::singleShot(0, [this, at] { release(Qt::LeftButton, at); }); // ends the first press's loop
        press(Qt::LeftButton);
        // Should the second press start a loop too, this ends it rather than the test.
        QTimer::singleShot(0, [this, at] { release(Qt::LeftButton, at); });
        send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at);
        send(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, at);
        QCoreApplication::processEvents();
    }

private:
    QWidget& target() const { return m_bus.PicKanban.visible() ? m_bus.PicKanban.widget() : m_bus.surface(); }

    QPoint middle_of_box() const { return m_bus.surface().mapToGlobal(m_bus.PicKanban.pixel_rect().center()); }

    void send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint global, unsigned long pause = 20)
    {
        m_time += pause;
        QCursor::setPos(global);
        QWidget& widget = target();
        const QPointF local = widget.mapFromGlobal(QPointF(global));
        QMouseEvent event(type, local, QPointF(global), button, held, Qt::NoModifier);
        event.setTimestamp(m_time);
        QApplication::sendEvent(&widget, &event);
    }

    Form1& m_bus;
    unsigned long m_time { 100000 };
};

// Chooses the item of the popup menu with this caption once the menu is open.
void choose_when_open(const QString& caption)
{
    QTimer::singleShot(0, [caption] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY2(menu, "no popup menu");
        for (QAction* action : menu->actions()) {
            if (action->text() == caption)
                menu->setActiveAction(action);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

QString twips(float value) { return QString::number(value); }

QString geometry(const Control& control)
{
    return QString("%1 %2 %3 %4").arg(twips(control.left()), twips(control.top()), twips(control.width()),
                                      twips(control.height()));
}

QString shown(bool visible) { return visible ? "shown" : "hidden"; }

QString frame_visibility(const Form1& bus)
{
    const bool first = bus.shpK_Waku(0).visible();
    const bool same = bus.shpK_Waku(1).visible() == first && bus.shpK_Waku(2).visible() == first;
    return same ? shown(first) : "mixed";
}

}

class SignboardTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init()
    {
        reset_program_state();
        m_files.openings.clear();
    }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void a_user_moves_and_frames_the_signboard_data();
    void a_user_moves_and_frames_the_signboard();
    void the_box_is_resized_only_by_a_change_of_size();
    void bars_lie_beneath_the_box_and_are_cut_by_the_window();
    void the_dialog_offers_its_pattern_in_any_letter_case();

private:
    void run_step(Form1& bus, Mouse& mouse, const QString& step, Sequence& rows);
    std::string state(const Form1& bus) const;
    QString picture_path(const QString& name) const { return m_pictures.filePath(name); }

    QTemporaryDir m_pictures;
    RecordingMessageBoxes m_boxes;
    ScriptedFilePicker m_files;
};

void SignboardTest::initTestCase()
{
    const auto save = [this](const char* name, int width, int height) {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(picture_path(name), "BMP"));
    };
    save("wide.bmp", 200, 60);
    save("tall.bmp", 94, 40);
    save("dot.bmp", 1, 1);
    QFile junk(picture_path("junk.bmp"));
    QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("no picture here\n") > 0);
}

// One row for the whole signboard: box, bars, check marks, picture, saved path, messages.
std::string SignboardTest::state(const Form1& bus) const
{
    QString path = QString::fromStdString(Common::KanbanPicPath);
    path.remove(m_pictures.path() + "/");
    const Picture& picture = bus.PicKanban.picture();
    return QString("box %1 %2 | bars %3, %4, %5 %6 | marks %7 %8 | picture %9 | path \"%10\" | messages %11")
        .arg(geometry(bus.PicKanban), shown(bus.PicKanban.visible()), geometry(bus.shpK_Waku(0)),
             geometry(bus.shpK_Waku(1)), geometry(bus.shpK_Waku(2)),
             frame_visibility(bus),
             bus.MnuViewKanban.checked() ? "on" : "off", bus.MnuViewWaku.checked() ? "on" : "off",
             picture.empty() ? "none" : QString("%1x%2").arg(picture.width_px()).arg(picture.height_px()), path)
        .arg(m_boxes.shown.size())
        .toStdString();
}

// Steps: "show", "menu <caption>", "pick <file>", "cancel", "drag <dx> <dy>" (pixels),
// "drag-escape <dx> <dy>", "double-click", "middle", "state".
void SignboardTest::run_step(Form1& bus, Mouse& mouse, const QString& step, Sequence& rows)
{
    const QStringList words = step.split(' ');
    const QString& verb = words.first();
    if (verb == "show") {
        bus.Show();
    } else if (verb == "menu") {
        choose_when_open(step.section(' ', 1));
        mouse.press(Qt::RightButton);
    } else if (verb == "pick" || verb == "cancel") {
        m_files.answers.push_back(verb == "cancel" ? std::nullopt : std::optional(picture_path(words[1]).toStdString()));
        run_step(bus, mouse, "menu 看板の画像を設定...", rows);
    } else if (verb == "drag") {
        mouse.drag(QPoint(words[1].toInt(), words[2].toInt()));
    } else if (verb == "drag-escape") {
        mouse.drag_and_escape(QPoint(words[1].toInt(), words[2].toInt()));
    } else if (verb == "double-click") {
        mouse.double_click();
    } else if (verb == "middle") {
        QTimer::singleShot(0, [&rows] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                rows.push_back("a menu opened");
                menu->close();
            }
        });
        mouse.press(Qt::MiddleButton);
        QCoreApplication::processEvents();
    } else {
        rows.push_back(state(bus));
    }
}

void SignboardTest::a_user_moves_and_frames_the_signboard_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    // The start's reset has fitted the frame already: the box's first showing, which runs the
    // follow, moves nothing.
    const QStringList shown_first {};
    const QString untouched = "box 7425 1665 1410 450 shown | bars 7350 1665 75 465, 8835 1665 75 465, "
                              "7350 2115 1560 60 shown | marks on on | picture none | path \"\" | messages 0";
    // A 200 x 60 picture: the box takes its size, the follow moves the right post and the
    // bar, the refit then stretches the posts.
    const QStringList wide_chosen { "PicKanban move 7425 1665 3000 900", "shpK_Waku(1) move 10425 1665 75 465",
                                    "shpK_Waku(2) move 7350 2565 3150 60", "shpK_Waku(0) move 7350 1665 75 915",
                                    "shpK_Waku(1) move 10425 1665 75 915" };
    const QString wide_state = "box 7425 1665 3000 900 shown | bars 7350 1665 75 915, 10425 1665 75 915, "
                               "7350 2565 3150 60 shown | marks on on | picture 200x60 | path \"wide.bmp\" | messages 0";

    QTest::newRow("reset after a picture and a drag")
        << QStringList { "show", "pick wide.bmp", "drag 20 0", "menu 看板のリセット", "state" }
        << shown_first + wide_chosen
            + QStringList { "PicKanban move 7575 1665 3000 900", "PicKanban move 7725 1665 3000 900",
                            // the reset's one move, its follow, then the refit
                            "PicKanban move 7425 1665 1410 450", "shpK_Waku(1) move 8835 1665 75 915",
                            "shpK_Waku(2) move 7350 2115 1560 60", "shpK_Waku(0) move 7350 1665 75 465",
                            "shpK_Waku(1) move 8835 1665 75 465",
                            "box 7425 1665 1410 450 shown | bars 7350 1665 75 465, 8835 1665 75 465, 7350 2115 "
                            "1560 60 shown | marks on on | picture none | path \"wide.bmp\" | messages 0" };
    QTest::newRow("taller picture: the follow keeps the posts' height, the refit stretches them")
        << QStringList { "show", "pick tall.bmp" }
        << shown_first + QStringList { "PicKanban move 7425 1665 1410 600", "shpK_Waku(2) move 7350 2265 1560 60",
                                       "shpK_Waku(0) move 7350 1665 75 615", "shpK_Waku(1) move 8835 1665 75 615" };
    QTest::newRow("a drag leaves the frame, a double click brings it")
        << QStringList { "show", "drag 20 -4", "double-click", "state" }
        << shown_first + QStringList { "PicKanban move 7575 1635 1410 450", "PicKanban move 7725 1605 1410 450",
                                       "shpK_Waku(0) move 7650 1605 75 465", "shpK_Waku(1) move 9135 1605 75 465",
                                       "shpK_Waku(2) move 7650 2055 1560 60",
                                       "box 7725 1605 1410 450 shown | bars 7650 1605 75 465, 9135 1605 75 465, "
                                       "7650 2055 1560 60 shown | marks on on | picture none | path \"\" | messages 0" };
    // The mouse counts only inside the window: the box reaches past its edges, no further.
    QTest::newRow("a drag past the window's edges")
        << QStringList { "show", "drag 2000 0", "drag -2000 0", "drag 0 -2000" }
        << shown_first + QStringList { "PicKanban move 9255 1665 1410 450", "PicKanban move -690 1665 1410 450",
                                       "PicKanban move -690 -210 1410 450" };
    QTest::newRow("Escape puts a dragged box back and ends the drag")
        << QStringList { "show", "drag-escape 20 0", "drag 0 4", "state" }
        << shown_first + QStringList { "PicKanban move 7725 1665 1410 450", "PicKanban move 7425 1665 1410 450",
                                       "PicKanban move 7425 1695 1410 450", "PicKanban move 7425 1725 1410 450",
                                       "box 7425 1725 1410 450 shown | bars 7350 1665 75 465, 8835 1665 75 465, "
                                       "7350 2115 1560 60 shown | marks on on | picture none | path \"\" | messages 0" };
    QTest::newRow("a box of one pixel")
        << QStringList { "show", "pick dot.bmp" }
        << shown_first + QStringList { "PicKanban move 7425 1665 15 15", "shpK_Waku(1) move 7440 1665 75 465",
                                       "shpK_Waku(2) move 7350 1680 165 60", "shpK_Waku(0) move 7350 1665 75 30",
                                       "shpK_Waku(1) move 7440 1665 75 30" };
    QTest::newRow("frame hidden, box dragged, frame shown around it")
        << QStringList { "show", "menu 枠の表示", "state", "drag 20 0", "menu 枠の表示", "state" }
        << shown_first
            + QStringList { "box 7425 1665 1410 450 shown | bars 7350 1665 75 465, 8835 1665 75 465, 7350 2115 1560 "
                            "60 hidden | marks on off | picture none | path \"\" | messages 0",
                            "PicKanban move 7575 1665 1410 450", "PicKanban move 7725 1665 1410 450",
                            "shpK_Waku(0) move 7650 1665 75 465", "shpK_Waku(1) move 9135 1665 75 465",
                            "shpK_Waku(2) move 7650 2115 1560 60",
                            "box 7725 1665 1410 450 shown | bars 7650 1665 75 465, 9135 1665 75 465, 7650 2115 1560 "
                            "60 shown | marks on on | picture none | path \"\" | messages 0" };
    QTest::newRow("picture chosen while the box is hidden, then the box shown from the bus")
        << QStringList { "show", "menu 看板の表示", "pick wide.bmp", "state", "menu 看板の表示", "state" }
        << shown_first + wide_chosen
            + QStringList { QString(wide_state).replace("900 shown", "900 hidden").replace("marks on on", "marks off on"),
                            wide_state };
    QTest::newRow("dialog cancelled") << QStringList { "show", "cancel", "state" } << shown_first + QStringList { untouched };
    QTest::newRow("a file that is no picture, a file that is gone")
        << QStringList { "show", "pick wide.bmp", "pick junk.bmp", "pick gone.bmp", "state" }
        << shown_first + wide_chosen + QStringList { wide_state };
    QTest::newRow("middle button") << QStringList { "show", "middle", "state" } << shown_first + QStringList { untouched };
}

void SignboardTest::a_user_moves_and_frames_the_signboard()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    Form1& bus = window<Form1>();
    Mouse mouse(bus);
    TraceRecorder recorder;
    for (const QString& step : steps)
        run_step(bus, mouse, step, recorder.rows);
    Sequence wanted;
    for (const QString& row : expected)
        wanted.push_back(row.toStdString());
    COMPARE_SEQUENCE(wanted, recorder.rows, QTest::currentDataTag());
    for (const auto& [owner, pattern] : m_files.openings) {
        QCOMPARE(owner, bus.hWnd());
        QCOMPARE(pattern, std::string("*.bmp;*.jpeg;*.gif;*.wmf;*.emf;*.png;*.webp;*.svg"));
    }
}

void SignboardTest::the_box_is_resized_only_by_a_change_of_size()
{
    Form1& bus = window<Form1>();
    PictureBox& box = bus.PicKanban;
    Sequence rows;
    box.on_resize = [&rows, &box] { rows.push_back("Resize " + geometry(box).toStdString()); };
    const auto step = [&rows](const char* what, auto action) {
        rows.push_back(what);
        action();
    };
    step("moved before the first showing", [&] { box.move(7440, 1665, 1410, 450); });
    step("first shown", [&] { bus.Show(); });
    step("shown again", [&] { box.set_visible(false); box.set_visible(true); });
    step("moved", [&] { box.move(7425, 1680, 1410, 450); });
    step("a third of a pixel wider", [&] { box.move(7425, 1680, 1415, 450); });
    step("a picture of another size", [&] { box.set_picture(LoadPicture(picture_path("tall.bmp").toStdString())); });
    step("the same size again", [&] { box.set_picture(LoadPicture(picture_path("tall.bmp").toStdString())); });
    step("no picture", [&] { box.set_picture(LoadPicture("")); });
    step("resized while hidden", [&] { box.set_visible(false); box.move(7425, 1680, 15, 15); });
    step("shown", [&] { box.set_visible(true); });
    const Sequence expected { "moved before the first showing",
                              "first shown", "Resize 7440 1665 1410 450",
                              "shown again",
                              "moved",
                              "a third of a pixel wider", "Resize 7425 1680 1415 450",
                              "a picture of another size", "Resize 7425 1680 1410 600",
                              "the same size again",
                              "no picture", // keeps the size
                              "resized while hidden", "Resize 7425 1680 15 15",
                              "shown" };
    COMPARE_SEQUENCE(expected, rows, "Resize of the signboard box");
}

void SignboardTest::bars_lie_beneath_the_box_and_are_cut_by_the_window()
{
    Form1& bus = window<Form1>();
    Mouse mouse(bus);
    Sequence rows;
    const auto colours = [&bus, &rows](const char* what, std::initializer_list<QPoint> pixels) {
        const QImage screen = bus.surface().grab().toImage();
        QString row = what;
        for (const QPoint& pixel : pixels)
            row += " " + QString::number(screen.pixelColor(pixel).rgb() & 0xFFFFFF, 16);
        rows.push_back(row.toStdString());
    };
    bus.Show();
    mouse.double_click();
    // Left post: outline, inside, its foot under the bar's outline; box; bar inside.
    colours("refit", { { 490, 120 }, { 492, 120 }, { 492, 141 }, { 540, 120 }, { 540, 142 } });
    mouse.drag(QPoint(-3, 0)); // the box over the left post
    colours("box over the post", { { 492, 120 }, { 491, 120 }, { 490, 120 } });
    mouse.drag(QPoint(-490, 0)); // the box at Left 30, the post 45 twips out of the window
    mouse.double_click();
    colours("at the window's edge", { { 0, 120 }, { 1, 120 }, { 2, 120 } });
    const Sequence expected { "refit 808080 e0e0e0 808080 ffffff e0e0e0", "box over the post ffffff e0e0e0 808080",
                              "at the window's edge e0e0e0 808080 ffffff" };
    COMPARE_SEQUENCE(expected, rows, "painted frame");
    QCOMPARE(bus.PicKanban.left(), 30.f);
}

void SignboardTest::the_dialog_offers_its_pattern_in_any_letter_case()
{
    QTemporaryDir folder;
    for (const char* name : { "a.BMP", "b.jpeg", "c.JPG", "d.Gif", "e.txt", "f.wmf", "G.EMF" }) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    Form1& bus = window<Form1>();
    bus.Show();
    const platform::Override<platform::FilePicker> real_dialog(platform::Replaceable<platform::FilePicker>::real());
    Sequence seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY2(dialog, "no modal file dialog");
        seen.push_back(dialog->nameFilters().join(" / ").toStdString());
        seen.push_back(dialog->parentWidget() == &bus.surface() ? "owned by the bus" : "not owned by the bus");
        dialog->setDirectory(folder.path());
        auto* list = dialog->findChild<QListView*>("listView");
        const auto listed = [list] {
            QStringList names;
            for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
                names << list->model()->index(row, 0, list->rootIndex()).data().toString();
            names.sort(Qt::CaseInsensitive);
            return names;
        };
        if (!QTest::qWaitFor([&] { return listed().contains("a.BMP"); }, 20000))
            seen.push_back("a.BMP not listed after 20 s");
        seen.push_back(listed().join(' ').toStdString());
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        QTest::keyClicks(name, "d.Gif");
        QTest::keyClick(name, Qt::Key_Return);
    });
    bus.C_Dialog1.ShowOpen();
    seen.push_back(bus.C_Dialog1.file_name() == folder.filePath("d.Gif").toStdString() ? "chose d.Gif" : bus.C_Dialog1.file_name());
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    bus.C_Dialog1.ShowOpen();
    seen.push_back("after cancel \"" + bus.C_Dialog1.file_name() + "\"");
    const Sequence expected { "*.bmp;*.jpeg;*.gif;*.wmf;*.emf;*.png;*.webp;*.svg (*.bmp *.jpeg *.gif *.wmf *.emf *.png *.webp *.svg)", "owned by the bus",
                              "a.BMP b.jpeg d.Gif f.wmf G.EMF", "chose d.Gif", "after cancel \"\"" };
    COMPARE_SEQUENCE(expected, seen, "the real dialog");
}

QTEST_MAIN(SignboardTest)
#include "tst_signboard.moc"
