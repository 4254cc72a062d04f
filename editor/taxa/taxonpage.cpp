#include "taxonpage.h"

#include "helpviewer.h"

namespace editor {

TaxonPage::TaxonPage(TMainForm &main, QWidget *parent) : QWidget(parent), m_main(main)
{
    setObjectName(QStringLiteral("TabSheet4"));
    help::setHelpContext(this, kHelpContext);
}

void TaxonPage::dbe_helperChange()
{
    // The taxon list, its photo view and description come with the taxon editing.
    (void)m_main;
}

} // namespace editor
