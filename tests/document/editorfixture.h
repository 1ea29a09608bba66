// The whole editor started for each test: application, main frame, the four
// panes and the document, as a person gets them; torn down afterwards.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "mainfrm.h"
#include "bmpwriter.h"
#include "scratchfolder.h"
#include "modalanswerer.h"
#include "uiinput.h"
#include "zelldoc.h"

class CMapView;

// Helpers are public so that the tables' set-up steps can use them.
class EditorTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // Writes the picture as a .bmp file in the scratch folder.
    std::string WriteBitmap(const TestPicture& picture, const std::string& name = "tiles.bmp");
    // Loads a picture as the source bitmap, as Open Bitmap does.
    void LoadBitmap(const TestPicture& picture);
    // Loads the picture and cuts it whole into tiles; tile i gets attribute i.
    void CutTiles(const TestPicture& picture);

    // What the tile palette does when the user drags over it.
    void SelectBlock(int cols, int rows, const std::vector<short>& entries);

    // A command as its toolbar button or menu item gives it (greyed: nothing).
    void Send(UINT id);
    bool Enabled(UINT id) { return frame->IsCommandEnabled(id); }

    CMapView* Map() const;
    std::vector<short> TileCells() const;
    std::vector<short> AttrCells() const;
    // Cell i of a layer, row-major; setting one goes behind the panes' backs.
    short Cell(CellLayer layer, int i) const;
    void SetCell(CellLayer layer, int i, short value);
    std::vector<const CSprite*> Tiles() const;
    std::vector<int> TileAttributes() const;

    // Fails the test on a box nobody expected instead of waiting for ever.
    ModalAnswerer watchdog;
    CMainFrame* frame = nullptr;
    CZellDoc* doc = nullptr;
    ScratchFolder folder;
};

// Handlers for the dialogs a command runs.
ModalAnswerer::Handler AnswerNewMap(long long width, long long height, int tileSizeButton = 0);
ModalAnswerer::Handler CancelDialog();
// A message box that must show exactly this text; then presses the button.
ModalAnswerer::Handler ExpectMessage(const char* text, QMessageBox::ButtonRole role = QMessageBox::AcceptRole);
ModalAnswerer::Handler ChooseFile(const std::string& path);
QLineEdit* EditOf(QWidget* dialog, UINT id);
