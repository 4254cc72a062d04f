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

int Key::addNode(const QString &text, int parent)
{
    QuestionNode node;
    node.text = text;
    node.parent = parent;
    const int index = static_cast<int>(nodes.size());
    nodes.push_back(std::move(node));
    if (parent >= 0)
        nodes[static_cast<size_t>(parent)].children.push_back(index);
    QuestionHintList << QString();
    HintPicList.emplace_back();
    return index;
}

void Key::numberAnswers()
{
    int counter = 0;
    for (QuestionNode &n : nodes)
        n.answerNumber = n.isAnswer() ? ++counter : 0;
    answerCount = counter;
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
