// The signboard and its frame, driven as a user drives them: mouse buttons on the box, its
// popup menu, the open-file dialog. The moves of the box and the bars are recorded and
// compared with the expected moves.
#include "Fakes.h"
#include "NoWindowLeft.h"
#include "ProgramState.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "platform/forms/Forms.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
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
    explicit Mouse(Form1& bus) : m_bus(bus) { }

    // A press at the middle of the box, or of where it stands while it is hidden.
    void press(Qt::MouseButton button) { send(QEvent::MouseButtonPress, button, button, middle_of_box(), 1000); }
    void release(Qt::MouseButton button, QPoint global) { send(QEvent::MouseButtonRelease, button, Qt::NoButton, global); }
    void move(QPoint global) { send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, global); }

    // A drag by so many pixels; with Escape half-way, then the release the loop no longer waits for.
    void drag(QPoint by, bool escape = false)
    {
        const QPoint from = middle_of_box();
        QTimer::singleShot(0, [this, from, by, escape] { // inside the move loop
            move(from + by / 2);
            if (escape) {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QCoreApplication::sendEvent(&m_bus.surface(), &key);
            }
            move(from + by);
            release(Qt::LeftButton, from + by);
        });
        press(Qt::LeftButton);
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

QString shown(bool visible) { return visible ? "shown" : "hidden"; }

// Whether the frame stands around the box: the posts flank it from its top down into the bar
// beneath it, and the bar spans both posts.
QString frame_place(const Form1& bus)
{
    const PictureBox& box = bus.PicKanban;
    const Shape& left = bus.shpK_Waku(0);
    const Shape& right = bus.shpK_Waku(1);
    const Shape& bar = bus.shpK_Waku(2);
    const float box_bottom = box.top() + box.height();
    bool around = left.left() + left.width() == box.left() && right.left() == box.left() + box.width()
        && bar.top() == box_bottom && bar.left() == left.left()
        && bar.left() + bar.width() == right.left() + right.width();
    for (const Shape* post : { &left, &right }) {
        const float post_bottom = post->top() + post->height();
        around = around && post->top() == box.top() && post_bottom > bar.top() && post_bottom <= bar.top() + bar.height();
    }
    return around ? "around" : "apart";
}

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

private:
    void run_step(Form1& bus, Mouse& mouse, const QString& step, QStringList& states);
    QString state(const Form1& bus) const;
    QString picture_path(const QString& name) const { return m_pictures.filePath(name); }

    QTemporaryDir m_pictures;
    RecordingMessageBoxes m_boxes;
    ScriptedFilePicker m_files;
    QRect m_start; // the box's pixels when the bus is first shown
};

void SignboardTest::initTestCase()
{
    QImage wide(200, 60, QImage::Format_RGB32);
    wide.fill(Qt::red);
    QVERIFY(wide.save(picture_path("wide.bmp"), "BMP"));
    QFile junk(picture_path("junk.bmp"));
    QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("no picture here\n") > 0);
}

// One row for the whole signboard: the box's move in pixels since the bus was shown and its
// size, the frame, the check marks, the saved picture path and the message boxes shown.
QString SignboardTest::state(const Form1& bus) const
{
    const QRect box = bus.PicKanban.pixel_rect();
    const QPoint moved = box.topLeft() - m_start.topLeft();
    QString path = QString::fromStdString(Common::KanbanPicPath);
    path.remove(m_pictures.path() + "/");
    return QString("box %1 %2 %3x%4 %5 | frame %6 %7 | marks %8 %9 | path \"%10\" | messages %11")
        .arg(moved.x()).arg(moved.y()).arg(box.width()).arg(box.height())
        .arg(shown(bus.PicKanban.visible()), frame_place(bus), frame_visibility(bus),
             bus.MnuViewKanban.checked() ? "on" : "off", bus.MnuViewWaku.checked() ? "on" : "off", path)
        .arg(m_boxes.shown.size());
}

// Steps: "show", "menu <caption>", "pick <file>", "cancel", "drag <dx> <dy>" (pixels),
// "drag-escape <dx> <dy>", "state".
void SignboardTest::run_step(Form1& bus, Mouse& mouse, const QString& step, QStringList& states)
{
    const QStringList words = step.split(' ');
    const QString& verb = words.first();
    if (verb == "show") {
        bus.Show();
        m_start = bus.PicKanban.pixel_rect();
    } else if (verb == "menu") {
        choose_when_open(step.section(' ', 1));
        mouse.press(Qt::RightButton);
    } else if (verb == "pick" || verb == "cancel") {
        m_files.answers.push_back(verb == "cancel" ? std::nullopt : std::optional(picture_path(words[1]).toStdString()));
        run_step(bus, mouse, "menu 看板の画像を設定...", states);
    } else if (verb.startsWith("drag")) {
        mouse.drag(QPoint(words[1].toInt(), words[2].toInt()), verb == "drag-escape");
    } else {
        states.push_back(state(bus));
    }
}

void SignboardTest::a_user_moves_and_frames_the_signboard_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    const QString wide = "box 0 0 200x60 shown | frame around shown | marks on on | path \"wide.bmp\" | messages 0";
    QTest::newRow("a picture, a drag, the reset")
        << QStringList { "show", "pick wide.bmp", "state", "drag 20 0", "menu 看板のリセット", "state" }
        << QStringList { wide, "box 0 0 94x30 shown | frame around shown | marks on on | path \"wide.bmp\" | messages 0" };
    // The mouse counts only inside the window: the box's middle reaches its edges, no further.
    QTest::newRow("a drag past the window's edges")
        << QStringList { "show", "drag 2000 0", "state", "drag -2000 0", "state", "drag 0 -2000", "state" }
        << QStringList { "box 122 0 94x30 shown | frame apart shown | marks on on | path \"\" | messages 0",
                         "box -541 0 94x30 shown | frame apart shown | marks on on | path \"\" | messages 0",
                         "box -541 -125 94x30 shown | frame apart shown | marks on on | path \"\" | messages 0" };
    QTest::newRow("Escape puts a dragged box back and ends the drag")
        << QStringList { "show", "drag-escape 20 0", "state", "drag 0 4", "state" }
        << QStringList { "box 0 0 94x30 shown | frame around shown | marks on on | path \"\" | messages 0",
                         "box 0 4 94x30 shown | frame apart shown | marks on on | path \"\" | messages 0" };
    QTest::newRow("frame hidden, box dragged, frame shown around it")
        << QStringList { "show", "menu 枠の表示", "state", "drag 20 0", "menu 枠の表示", "state" }
        << QStringList { "box 0 0 94x30 shown | frame around hidden | marks on off | path \"\" | messages 0",
                         "box 20 0 94x30 shown | frame around shown | marks on on | path \"\" | messages 0" };
    QTest::newRow("picture chosen while the box is hidden, then the box shown from the bus")
        << QStringList { "show", "menu 看板の表示", "pick wide.bmp", "state", "menu 看板の表示", "state" }
        << QStringList { QString(wide).replace("200x60 shown", "200x60 hidden").replace("marks on on", "marks off on"), wide };
    QTest::newRow("dialog cancelled, a file that is no picture, a file that is gone")
        << QStringList { "show", "pick wide.bmp", "cancel", "pick junk.bmp", "pick gone.bmp", "state" }
        << QStringList { wide };
}

void SignboardTest::a_user_moves_and_frames_the_signboard()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    Form1& bus = window<Form1>();
    Mouse mouse(bus);
    QStringList states;
    for (const QString& step : steps)
        run_step(bus, mouse, step, states);
    QCOMPARE(states, expected);
    for (const auto& opening : m_files.openings)
        QCOMPARE(opening.first, bus.hWnd());
}

QTEST_MAIN(SignboardTest)
#include "tst_signboard.moc"
