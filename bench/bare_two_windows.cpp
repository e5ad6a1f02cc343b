// The yardstick for bench_launch: Qt Widgets alone opening the bus's two windows at start, of
// the same client sizes and titles, the panel a tool window kept on top, each showing one line
// in the face the bus draws its texts with.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

namespace {

QFont bus_text_font()
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12); // 9 points at 96 dots per inch
    return font;
}

void add_line(QWidget& window, const QString& text)
{
    auto* line = new QLabel(text, &window);
    line->setFont(bus_text_font());
    line->move(8, 8);
}

}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const Qt::WindowFlags decorations = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint;

    QWidget bus(nullptr, Qt::Window | decorations);
    bus.setFixedSize(664, 212);
    bus.setWindowTitle(QStringLiteral("ポルカ号　-　QK31T0207"));
    add_line(bus, QStringLiteral("方向幕"));

    QWidget panel(nullptr, Qt::Tool | decorations | Qt::WindowStaysOnTopHint);
    panel.setFixedSize(263, 171);
    panel.setWindowTitle(QStringLiteral("設定パネル"));
    add_line(panel, QStringLiteral("両方　左　右"));

    bus.show();
    panel.show();
    return application.exec();
}
