#pragma once
// A picture drawn centred in its box, scaled to fit with its proportions kept.

#include <QImage>
#include <QWidget>

namespace identify {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);
    void setImage(const QImage &image);
    void clear() { setImage(QImage()); }
    const QImage &image() const { return m_image; }
    // Where the picture is drawn inside the box (empty without a picture).
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};

} // namespace identify
