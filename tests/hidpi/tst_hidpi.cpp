// Pictures on a screen of any scale: the program's own come from files made for that scale
// and are shown pixel for pixel, a picture of the user's is enlarged by repeating its
// pixels, and sizes in twips and program pixels stay what they are at 100 %.
#include "NoWindowLeft.h"
#include "ProgramState.h"
#include "app/Form1.h"
#include "platform/forms/Forms.h"
#include "platform/forms/controls/CheckBox.h"
#include "platform/forms/controls/Image.h"
#include "platform/picture/LoadPicture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

namespace {

class Stage : public Form {
public:
    Stage()
        : Form("Stage", "stage", BorderStyle::FixedSingle, 6000, 3000, vbWhite)
    {
        finish_design();
    }
};

int scale() { return qRound(qApp->devicePixelRatio()); }

// A built-in picture as the file made for the screen's scale holds it.
QImage made_for_the_screen(QString file)
{
    if (scale() > 1)
        file.replace(".", QString("@%1x.").arg(scale()));
    return QImage(":/assets/" + file).convertToFormat(QImage::Format_RGB32);
}

// A 2 x 2 check of four colours, each cell `cell` pixels: hard edges everywhere.
const QList<QRgb> CheckColours { qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 160, 0), qRgb(255, 255, 0) };

QImage check_picture(int cell)
{
    QImage image(2 * cell, 2 * cell, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, CheckColours[(y / cell) * 2 + x / cell]);
    return image;
}

// The window's pixels at the screen's own resolution.
QImage screen_of(Form& form)
{
    form.Show();
    return form.surface().grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Device pixels of `area` (program pixels) that are none of the check's colours.
int blended_pixels(const QImage& screen, const QRect& area)
{
    const QRect device(area.topLeft() * scale(), area.size() * scale());
    int blended = 0;
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            blended += !CheckColours.contains(screen.pixel(x, y));
    return blended;
}

}

class HiDpiTest : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_program_state(); }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void built_in_picture_matches_the_screen();
    void bus_body_matches_the_screen();
    void users_pictures_are_enlarged_without_smoothing_data();
    void users_pictures_are_enlarged_without_smoothing();
    void switch_face_keeps_its_size();
    void window_icon_matches_the_screen();
};

// Shown at its own size, a built-in picture lands on the screen exactly as the file made
// for this scale holds it.
void HiDpiTest::built_in_picture_matches_the_screen()
{
    const QString file = "sign_blank.bmp";
    const QSize size = QImage(":/assets/" + file).size();
    Stage& stage = window<Stage>();
    Image image(stage, "image", { .rect { 300, 150, 0, 0 } });
    image.set_picture(LoadAssetPicture(file.toStdString()));
    QCOMPARE(image.pixel_rect(), QRect(QPoint(20, 10), size)); // program pixels, as at 100 %
    const QImage expected = made_for_the_screen(file);
    QCOMPARE(expected.size(), size * scale());
    QCOMPARE(screen_of(stage).copy(QRect(QPoint(20, 10) * scale(), expected.size())), expected);
}

// The bus's body is its window's own picture: its lettering, clear of every control, is the
// picture's made for this scale.
void HiDpiTest::bus_body_matches_the_screen()
{
    const QRect lettering(QPoint(100, 114) * scale(), QSize(100, 22) * scale());
    QCOMPARE(screen_of(window<Form1>()).copy(lettering), made_for_the_screen("bus_body.bmp").copy(lettering));
}

void HiDpiTest::users_pictures_are_enlarged_without_smoothing_data()
{
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<QSize>("twips");
    QTest::newRow("at its own size") << false << QSize(0, 0);
    QTest::newRow("stretched by 4") << true << QSize(480, 480);
    QTest::newRow("stretched unevenly") << true << QSize(1095, 345);
}

// As a 200 % desktop shows them: every pixel of the picture becomes a block of one colour.
void HiDpiTest::users_pictures_are_enlarged_without_smoothing()
{
    QFETCH(bool, stretch);
    QFETCH(QSize, twips);
    QTemporaryDir dir;
    const QImage check = check_picture(4);
    QVERIFY(check.save(dir.filePath("check.bmp")));

    Stage& stage = window<Stage>();
    Image image(stage, "image", { .rect { 300, 150, float(twips.width()), float(twips.height()) }, .stretch = stretch });
    image.set_picture(LoadPicture(dir.filePath("check.bmp").toStdString()));
    const QRect place = image.pixel_rect();
    QCOMPARE(place.size(), stretch ? twips / 15 : check.size());
    QCOMPARE(blended_pixels(screen_of(stage), place), 0);
}

// A switch face made for this scale still fills the same part of the switch.
void HiDpiTest::switch_face_keeps_its_size()
{
    Stage& stage = window<Stage>();
    CheckBox door(stage, "door", { .rect { 0, 300, 735, 510 }, .face = LoadAssetPicture("switch_front.bmp") });
    stage.Show();
    auto& button = static_cast<QAbstractButton&>(door.widget());
    QCOMPARE(button.iconSize(), QImage(":/assets/switch_front.bmp").size());
}

// The title bar's 32-pixel icon comes from the icon file made for this scale.
void HiDpiTest::window_icon_matches_the_screen()
{
    Stage& stage = window<Stage>();
    stage.set_icon("bus.ico");
    QImage shown = stage.surface().windowIcon().pixmap(QSize(32, 32), scale()).toImage();
    shown.setDevicePixelRatio(1);
    const QImage made_for = QImage(QString(":/assets/bus_%1.png").arg(32 * scale()));
    QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32), made_for.convertToFormat(QImage::Format_ARGB32));
}

QTEST_MAIN(HiDpiTest)
#include "tst_hidpi.moc"
