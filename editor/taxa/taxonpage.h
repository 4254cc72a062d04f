#pragma once
// The taxon page "Fajadatok kezelése": the taxa of the selected group with their photos.

#include <QWidget>

namespace editor {

class TMainForm;

class TaxonPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 50;

    explicit TaxonPage(TMainForm &main, QWidget *parent = nullptr);

    // Shows the first photo and the description of the current taxon.
    void dbe_helperChange();

private:
    TMainForm &m_main;
};

} // namespace editor
