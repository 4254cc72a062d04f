#include "key.h"

#include "jpeg.h"

namespace identify {

const QImage &Thumbnail::image() const
{
    if (!m_decoded) {
        m_decoded = true;
        if (!m_jpeg.isEmpty()) {
            try {
                m_image = pictures::decodeJpeg(m_jpeg, pictures::Colours::Full);
            } catch (...) {
                m_image = QImage();
            }
        }
    }
    return m_image;
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
