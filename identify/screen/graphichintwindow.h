#pragma once
// The program's own hint window: a hint whose text carries "<PIC>n</PIC>" shows
// picture n of the hint pictures in a framed square at the left and the text beside it;
// any other hint shows its text alone. An application event filter sends every tooltip
// of the program through this window.

#include <QByteArray>
#include <QImage>
#include <QWidget>

#include <functional>

namespace identify {

// Implemented by a widget that owns hint pictures (the identification screen); the
// hint of any widget inside it finds its pictures there.
class HintPictureSource {
public:
    virtual ~HintPictureSource() = default;
    // Picture n, or a null image when there is none.
    virtual QImage hintPicture(int n) const = 0;
};

class TGraphicHintWindow : public QWidget {
    Q_OBJECT
public:
    using PictureLookup = std::function<QImage(int n)>;

    static constexpr int PictureHintWidth = 242;
    static constexpr int PictureHintHeight = 122;

    explicit TGraphicHintWindow(QWidget *owner = nullptr);

    // Shows the hint at rect.topLeft(); rect's size is used for a hint without picture.
    // A picture index that is not a number or names no picture leaves a text hint.
    void ActivateHint(QRect rect, const QString &hint, const PictureLookup &pictures = {});
    // The rectangle a plain text hint needs (text size plus margins).
    QRect calcHintRect(const QString &text) const;

    bool FActivating = false;
    QByteArray PicName;           // picture index from the markup; empty for a text hint
    QString caption() const { return m_caption; }
    const QImage &picture() const { return m_picture; }
    // Where the picture is drawn, in window coordinates (empty for a text hint).
    QRect pictureTarget() const;
    // The fitting of a w x h picture into the framed square: left, top, right, bottom
    // with right and bottom exclusive, returned as QRect(left, top, right - left, bottom - top).
    static QRect fitPicture(int w, int h);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    QImage m_picture;
};

// Creates the application's hint window and installs the filter that routes every
// tooltip through it. Call once at start-up, after the application object exists.
void installGraphicHints();
// The application's hint window (nullptr before installGraphicHints).
TGraphicHintWindow *graphicHintWindow();
// Takes away the hint that is showing, if any.
void cancelGraphicHint();

} // namespace identify
