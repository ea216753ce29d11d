// The Graphs page's picture as a file: saving it as a bitmap and opening it again, a save
// cancelled, refused or on a full disk, an open cancelled, missing or not a bitmap.
#include "GraphPageFixture.h"
#include "TestFiles.h"

namespace halosoil {
namespace {

using GraphFileTest = GraphPageTest;

TEST_F(GraphFileTest, SavedGraphIsAWindowsBitmapThatOpensAgain) {
    DrawWaterTable();
    const QString name = folder.filePath("graph.bmp");
    SaveGraphAs(name);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0], "The graph was saved as  " + name);
    ASSERT_EQ(dialogs.fileSpecs.size(), 1);
    // The bitmap comes first and stays the default; PNG and SVG are offered beside it.
    EXPECT_TRUE(dialogs.fileSpecs[0].filter.startsWith("Bitmap files (*.bmp)|*.bmp|"))
        << dialogs.fileSpecs[0].filter.toStdString();
    EXPECT_EQ(dialogs.fileSpecs[0].defaultExtension, "bmp");
    EXPECT_EQ(dialogs.fileSpecs[0].initialFolder, folder.path());

    const QByteArray bytes = FileBytes(name);
    ASSERT_GT(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), "BM");
    QImage saved(name, "BMP");
    EXPECT_EQ(saved.size(), QSize(617, 441));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), page->Picture());

    // After "Select graph" the picture is out of sight; opening keeps it there and the next
    // drawing would replace it.
    const QImage drawn = page->Picture();
    Click("SelectGraphButton");
    dialogs.files.push_back(name);
    Click("OpenGraphButton");
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.fileSpecs[1].filter, "bitmap files (*.bmp)|*.bmp");
    EXPECT_EQ(dialogs.fileSpecs[1].defaultExtension, "bmp");
    EXPECT_FALSE(ImageShown());
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(page->Picture().convertToFormat(QImage::Format_RGB32), drawn);
    EXPECT_TRUE(dialogs.unexpected.isEmpty());
}

TEST_F(GraphFileTest, OpenedGraphIsSeenAtOnceWhenThePictureIsOnDisplay) {
    DrawWaterTable();
    QImage other(617, 441, QImage::Format_RGB32);
    other.fill(QColor(10, 200, 30));
    const QString name = folder.filePath("other.bmp");
    ASSERT_TRUE(other.save(name, "BMP"));
    dialogs.files.push_back(name);
    Click("OpenGraphButton");
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(ImageShown());
    EXPECT_EQ(page->Picture().pixelColor(300, 200), QColor(10, 200, 30));
    EXPECT_EQ(Child<QLabel>("GraphImage")->pixmap().toImage().pixelColor(300, 200),
              QColor(10, 200, 30));
}

TEST_F(GraphFileTest, SaveCancelledOrRefusedKeepsTheFile) {
    DrawWaterTable();
    dialogs.files.push_back(std::nullopt);
    Click("SaveGraphButton");
    EXPECT_EQ(dialogs.messages, QStringList{"The graph was not saved"});

    // An existing file: the question first; No leaves the file and says nothing.
    const QString name = folder.filePath("exists.bmp");
    ASSERT_NO_FATAL_FAILURE(test::WriteBytes(name, "old contents"));
    dialogs.messages.clear();
    dialogs.files.push_back(name);
    dialogs.answers.push_back(false);
    Click("SaveGraphButton");
    EXPECT_EQ(dialogs.questions, QStringList{"The graph already exists, overwrite?"});
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(FileBytes(name), "old contents");

    // Yes overwrites it.
    dialogs.files.push_back(name);
    dialogs.answers.push_back(true);
    Click("SaveGraphButton");
    EXPECT_EQ(dialogs.messages, QStringList{"The graph was saved as  " + name});
    EXPECT_EQ(FileBytes(name).left(2), "BM");
    EXPECT_TRUE(dialogs.unexpected.isEmpty());
}

TEST_F(GraphFileTest, AFullDiskKeepsThePreviousBitmapWhole) {
    DrawWaterTable();
    const QString name = folder.filePath("kept.bmp");
    ASSERT_NO_FATAL_FAILURE(test::WriteBytes(name, "the previous graph"));
    dialogs.files.push_back(name);
    dialogs.answers.push_back(true);
    {
        test::FileSizeLimit limit(4096);  // far less than a bitmap of 617 x 441
        Click("SaveGraphButton");
    }
    EXPECT_EQ(dialogs.messages, QStringList{"Cannot create file \"" + name + "\". File too large"});
    EXPECT_EQ(FileBytes(name), "the previous graph");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              QStringList({"graphs.out", "kept.bmp"}));  // no temporary left behind
}

TEST_F(GraphFileTest, SaveToAFolderThatDoesNotExistReportsIt) {
    DrawWaterTable();
    const QString name = folder.filePath("no such folder/graph.bmp");
    SaveGraphAs(name);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("Cannot create file \"" + name + "\". "))
        << dialogs.messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(name));
}

TEST_F(GraphFileTest, OpenGraphCancelledMissingOrNotABitmap) {
    DrawWaterTable();
    const QImage drawn = page->Picture();
    dialogs.files.push_back(std::nullopt);
    Click("OpenGraphButton");
    EXPECT_EQ(dialogs.messages, QStringList{"No graphics file was selected"});

    dialogs.messages.clear();
    dialogs.files.push_back(folder.filePath("missing.bmp"));
    Click("OpenGraphButton");
    EXPECT_EQ(dialogs.messages,
              QStringList{"Picture file does not exist, please select another one."});

    // A file that is no bitmap: reported, and the picture stays as it was.
    const QString name = folder.filePath("text.bmp");
    ASSERT_NO_FATAL_FAILURE(test::WriteBytes(name, "this is no bitmap"));
    dialogs.messages.clear();
    dialogs.files.push_back(name);
    Click("OpenGraphButton");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(name));
    EXPECT_EQ(page->Picture(), drawn);
    EXPECT_TRUE(ImageShown());
}

}  // namespace
}  // namespace halosoil
