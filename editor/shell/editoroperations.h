#pragma once
// The work of the pages and exports that the main window sets off at the moments its rules
// name (group switch, page switch, tools dialog). The main window never does that work
// itself; tests put a recording implementation in its place.

namespace editor {

class EditorOperations {
public:
    virtual ~EditorOperations() = default;

    // Question page: rebuild the tree of the selected group from the database (no group
    // selected: an empty tree), and expand every node of it.
    virtual void LoadQuestionTree() = 0;
    virtual void FullExpandQuestionTree() = 0;
    // Taxon page: show the photo and description of the current taxon.
    virtual void dbe_helperChange() = 0;
    // Matrix page: rebuild the grid from the tree, the taxon table and the stored values.
    virtual void LoadMatrixDataFromDB() = 0;
    // Key test page: build the test key from the question tree and the grid.
    virtual void LoadKeyForTest() = 0;
    // Tools dialog: copy the selected group into another database; write it for the web server.
    virtual void ExportToNewDB() = 0;
    virtual void ExportToMysql() = 0;
};

} // namespace editor
