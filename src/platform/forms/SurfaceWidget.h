#pragma once
// The window of a container (a form's client area, a picture box, a frame): every event of
// it goes to the container that owns it.
#include "platform/forms/Container.h"

#include <QWidget>

namespace platform {

// The widget of a container; every event goes to its owner.
class SurfaceWidget : public QWidget {
public:
    explicit SurfaceWidget(QWidget* parent);
    void set_owner(Container* owner) { m_owner = owner; }
    Container* owner() const { return m_owner; }

protected:
    bool event(QEvent* event) override; // every mouse event goes to the owner
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Container* m_owner { nullptr };
};

}
