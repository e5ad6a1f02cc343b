// Frames put on a real X server at once, past Qt's own copy of the window: the server must
// then show exactly what Qt would have painted, where Qt would have painted it, and leave
// the child windows' pixels alone. Run on a private Xvfb, at 100 % and at 200 %.
#include "Fakes.h"
#include "NoWindowLeft.h"

#include "app/Form1.h"
#include "dialogs/frmSet.h"
#include "platform/forms/Forms.h"
#include "platform/x11/ShmFrame.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <memory>

namespace {

// The window's pixels as the X server holds them, in device pixels.
QImage server_pixels(QWidget& window, const QRect& area)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    const int scale = qRound(window.devicePixelRatioF());
    const QRect device(area.topLeft() * scale, area.size() * scale);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
        xcb_get_image_reply(connection,
                            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window.winId(), device.x(), device.y(),
                                          device.width(), device.height(), ~0u),
                            nullptr),
        &std::free);
    if (!reply)
        return {};
    return QImage(xcb_get_image_data(reply.get()), device.width(), device.height(), device.width() * 4,
                  QImage::Format_RGB32)
        .copy();
}

void show_and_settle(QWidget& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents(); // Qt's own paint is on the server before the frame
}

}

class FramesOnXTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QString("xcb")); }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void no_frame_where_it_cannot_be_put();
    void door_frames_show_what_qt_paints();
};

void FramesOnXTest::no_frame_where_it_cannot_be_put()
{
    // A hidden window, and a child surface that shares its window with siblings that may
    // cover it: the caller repaints as usual.
    Form1& bus = platform::window<Form1>();
    bool painted = false;
    const auto paint = [&](QPainter&) { painted = true; };
    QVERIFY(!platform::put_frame_now(bus.surface(), QRect(0, 0, 10, 10), paint));
    show_and_settle(bus.surface());
    QVERIFY(!platform::put_frame_now(bus.Picture1.widget(), QRect(0, 0, 10, 10), paint));
    QVERIFY(!painted);
}

void FramesOnXTest::door_frames_show_what_qt_paints()
{
    // Every frame of both doors, as the server shows it the moment it is put, against Qt's
    // own painting of the bus in the same state (the sign and the signboard included). The
    // signboard hangs over the front door: the frames must leave its pixels alone. Both
    // doors at full speed go round the shared memory at least once.
    class CompareEachFrame : public StandIn<platform::trace::Recorder> {
    public:
        CompareEachFrame(QWidget& bus) : m_bus(bus) { }
        void record(const std::string& row) override
        {
            int x, y, width, height;
            if (std::sscanf(row.c_str(), "Form1 repaint %d %d %d %d", &x, &y, &width, &height) != 4)
                return;
            const QRect area(x, y, width, height);
            ++frames;
            const QImage painted = m_bus.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
            if (painted != server_pixels(m_bus, area) && first_fault.isEmpty())
                first_fault = QString::fromStdString(row) + " differs from what Qt paints";
        }
        int frames { 0 };
        QString first_fault;

    private:
        QWidget& m_bus;
    };

    RecordingSoundSink sound;
    Form1& bus = platform::window<Form1>();
    bus.PicKanban.set_left(600);
    bus.PicKanban.set_top(1200);
    show_and_settle(bus.surface());
    frmSet& panel = platform::window<frmSet>();
    panel.HScroll1.set_value(1);
    panel.HScroll2.set_value(1);
    CompareEachFrame compare(bus.surface());
    for (platform::CheckBox* door_switch : { &panel.Check1, &panel.Check2 }) {
        door_switch->press(); // open
        door_switch->press(); // close
    }
    QVERIFY2(compare.first_fault.isEmpty(), qPrintable(compare.first_fault));
    QVERIFY(compare.frames > 0); // how many is the doors' own test
}

QTEST_MAIN(FramesOnXTest)
#include "tst_frames_on_x.moc"
