#pragma once
// What a widget last put on the screen: the image of each of its paints, taken as the paint
// happens. A look that changed without a repaint is not on the screen; this shows it.

#include <QEvent>
#include <QImage>
#include <QObject>
#include <QWidget>

class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }

    const QImage& lastPainted() const { return last_; }
    int paints() const { return paints_; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == widget_ && event->type() == QEvent::Paint && !grabbing_) {
            grabbing_ = true;
            last_ = widget_->grab().toImage();
            grabbing_ = false;
            ++paints_;
        }
        return false;
    }

private:
    QWidget* widget_;
    QImage last_;
    int paints_ = 0;
    bool grabbing_ = false;
};
