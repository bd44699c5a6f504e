#pragma once

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

// A label that acts as a link: pointing-hand cursor, a click signal on release inside it. Tab
// reaches it (underlined while it has the focus) and Enter or Space opens it.
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(QWidget* parent = nullptr) : QLabel(parent) {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::TabFocus);  // a click opens it without taking the focus
    }

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit clicked();
        QLabel::mouseReleaseEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space:
                emit clicked();
                return;
            default:
                QLabel::keyPressEvent(event);
        }
    }
    void focusInEvent(QFocusEvent* event) override {
        Underline(true);
        QLabel::focusInEvent(event);
    }
    void focusOutEvent(QFocusEvent* event) override {
        Underline(false);
        QLabel::focusOutEvent(event);
    }

  private:
    void Underline(bool on) {
        QFont f = font();
        f.setUnderline(on);
        setFont(f);
    }
};
