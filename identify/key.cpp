#include "key.h"

#include "jpeg.h"

namespace identify {

QImage Thumbnail::image() const
{
    QImage image;
    if (!m_jpeg.isEmpty()) {
        try {
            image = pictures::decodeJpeg(m_jpeg, pictures::Colours::Full);
        } catch (...) {
            image = QImage();
        }
    }
    m_size = image.size();
    m_sized = true;
    return image;
}

QSize Thumbnail::size() const
{
    if (!m_sized)
        (void)image();
    return m_size;
}

std::vector<int> Key::topLevel() const
{
    std::vector<int> out;
    for (size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].parent < 0)
            out.push_back(static_cast<int>(i));
    return out;
}

} // namespace identify
