#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/bmp_codec.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_io.h"
#include "framework/gui/dialogs.h"
#include "framework/gui/qt_dialogs.h"
#include "shell/data_module.h"
#include "shell/image_export.h"
#include "shell/image_export_jpeg.h"
#include "shell_fixture.h"

using namespace shell_test;

namespace {

// A band picture of six flat 16 x 16 blocks, so that JPEG's 16-pixel blocks each hold one
// colour and come back close to it.
constexpr std::uint32_t BlockColours[6] = {0x0000C0, 0x00C000, 0xC00000, 0x00FFFF, 0x202020, 0xF0F0F0};

fw::Bitmap BandPicture()
{
    fw::Bitmap picture(48, 32);
    for (int block = 0; block < 6; ++block) {
        const int left = (block % 3) * 16;
        const int top = (block / 3) * 16;
        picture.FillRect(fw::Rect{left, top, left + 16, top + 16}, BlockColours[block]);
    }
    return picture;
}

// One pixel of each of `count` distinct colours.
fw::Bitmap ManyColours(int count)
{
    fw::Bitmap picture(count, 1);
    for (int x = 0; x < count; ++x) {
        picture.SetPixel(x, 0, static_cast<std::uint32_t>(x) * 0x010203u);
    }
    return picture;
}

std::string FileStart(const std::filesystem::path& path, std::size_t count)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes(count, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

std::uint32_t FromQt(QRgb rgb)
{
    return static_cast<std::uint32_t>(qRed(rgb)) | static_cast<std::uint32_t>(qGreen(rgb)) << 8
        | static_cast<std::uint32_t>(qBlue(rgb)) << 16;
}

// Reads the file with Qt's image reader, as any other program would: it must know the
// format by the content, whatever the name says.
QImage ReadWithQt(const std::filesystem::path& path, const char* expectedFormat)
{
    QImageReader reader(QString::fromStdString(path.string()));
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format().toStdString(), expectedFormat) << path;
    QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << reader.errorString().toStdString();
    return image;
}

void ExpectSamePixels(const QImage& image, const fw::Bitmap& expected)
{
    ASSERT_EQ(image.width(), expected.Width());
    ASSERT_EQ(image.height(), expected.Height());
    for (int y = 0; y < expected.Height(); ++y) {
        for (int x = 0; x < expected.Width(); ++x) {
            ASSERT_EQ(FromQt(image.pixel(x, y)), expected.Pixel(x, y)) << "at " << x << ", " << y;
        }
    }
}

bool IdentifyInstalled()
{
    return std::system("command -v identify >/dev/null 2>&1") == 0;
}

// What ImageMagick's identify says of the file with the format ("%m %w %h").
std::string Identify(const std::filesystem::path& path, const std::string& format)
{
    const std::string command = "identify -format '" + format + "' '" + path.string() + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return "(identify did not start)";
    }
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    pclose(pipe);
    return output;
}

class ImageExportTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        data_ = std::make_unique<TdModMain>();
    }
    void TearDown() override
    {
        data_.reset();
        ShellTest::TearDown();
    }

    TdModMain& Data() { return *data_; }
    std::filesystem::path Path(const std::string& name) const { return Folder() / name; }

    // The save-picture dialog answers as a user who picks the filter and types the name.
    fw::FileDialog::Handler Choose(int filterIndex, const std::string& name)
    {
        return [this, filterIndex, name](fw::FileDialog& dialog) {
            ++dialogRuns;
            EXPECT_EQ(dialog.Kind(), fw::FileDialogKind::SavePicture);
            EXPECT_EQ(dialog.Title(), "Save Image");
            dialog.SetFilterIndex(filterIndex);
            dialog.SetFileName(Path(name).string());
            return true;
        };
    }

    int dialogRuns = 0;

private:
    std::unique_ptr<TdModMain> data_;
};

TEST_F(ImageExportTest, TheFilterPicksTheFormatAndABareNameGetsItsExtension)
{
    EXPECT_EQ(ImageFormatOfFilterIndex(1), TTWImageFormat::JPEG);
    EXPECT_EQ(ImageFormatOfFilterIndex(2), TTWImageFormat::Bitmap);
    EXPECT_EQ(ImageFormatOfFilterIndex(3), TTWImageFormat::GIF);
    EXPECT_EQ(ImageFormatOfFilterIndex(0), TTWImageFormat::GIF);
    EXPECT_EQ(ImageFormatOfFilterIndex(9), TTWImageFormat::GIF);

    EXPECT_EQ(ImageExportFileName("/bands/band", TTWImageFormat::GIF), "/bands/band.gif");
    EXPECT_EQ(ImageExportFileName("/bands/band", TTWImageFormat::JPEG), "/bands/band.jpg");
    EXPECT_EQ(ImageExportFileName("/bands.old/band", TTWImageFormat::Bitmap), "/bands.old/band.bmp");
    // Any extension stays, whatever the format.
    EXPECT_EQ(ImageExportFileName("/bands/x.png", TTWImageFormat::JPEG), "/bands/x.png");
    EXPECT_EQ(ImageExportFileName("/bands/band.GIF", TTWImageFormat::Bitmap), "/bands/band.GIF");
}

TEST_F(ImageExportTest, ABandPictureSavedAsGifWritesAGif89aFileWithItsExactColours)
{
    const fw::ScopedHandler script(&fw::FileDialog::SetHandler, Choose(3, "band"));
    const fw::Bitmap picture = BandPicture();
    EXPECT_TRUE(Data().SaveImage(picture));
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_TRUE(boxes.empty());
    ASSERT_TRUE(std::filesystem::exists(Path("band.gif")));
    EXPECT_FALSE(std::filesystem::exists(Path("band")));
    EXPECT_EQ(FileStart(Path("band.gif"), 6), "GIF89a");
    ExpectSamePixels(ReadWithQt(Path("band.gif"), "gif"), picture);
}

TEST_F(ImageExportTest, TheJpegFilterWritesJpegBytesUnderTheNameGiven)
{
    const fw::ScopedHandler script(&fw::FileDialog::SetHandler, Choose(1, "x.png"));
    const fw::Bitmap picture = BandPicture();
    EXPECT_TRUE(Data().SaveImage(picture));
    ASSERT_TRUE(std::filesystem::exists(Path("x.png")));
    EXPECT_FALSE(std::filesystem::exists(Path("x.png.jpg")));
    EXPECT_EQ(FileStart(Path("x.png"), 3), "\xFF\xD8\xFF");

    const QImage image = ReadWithQt(Path("x.png"), "jpeg");
    ASSERT_EQ(image.width(), 48);
    ASSERT_EQ(image.height(), 32);
    // Lossy, but each flat block keeps its colour closely at its centre.
    for (int block = 0; block < 6; ++block) {
        const QRgb got = image.pixel((block % 3) * 16 + 8, (block / 3) * 16 + 8);
        const std::uint32_t want = BlockColours[block];
        EXPECT_NEAR(qRed(got), static_cast<int>(want & 0xFF), 12) << "block " << block;
        EXPECT_NEAR(qGreen(got), static_cast<int>((want >> 8) & 0xFF), 12) << "block " << block;
        EXPECT_NEAR(qBlue(got), static_cast<int>((want >> 16) & 0xFF), 12) << "block " << block;
    }
}

TEST_F(ImageExportTest, TheBitmapFilterWritesAWindowsBitmapThatReadsBackExactly)
{
    const fw::ScopedHandler script(&fw::FileDialog::SetHandler, Choose(2, "band"));
    const fw::Bitmap picture = BandPicture();
    EXPECT_TRUE(Data().SaveImage(picture));
    ASSERT_TRUE(std::filesystem::exists(Path("band.bmp")));
    EXPECT_EQ(FileStart(Path("band.bmp"), 2), "BM");
    EXPECT_TRUE(fw::LoadBmpFromFile(Path("band.bmp").string()).SamePixels(picture));
    ExpectSamePixels(ReadWithQt(Path("band.bmp"), "bmp"), picture);
}

TEST_F(ImageExportTest, AGifOfMoreThan256ColoursIsReportedAndWritesNothing)
{
    // An older file of that name stays as it was.
    fw::WriteFileAtomically(Path("older.gif"), "older");
    const fw::ScopedHandler script(&fw::FileDialog::SetHandler, Choose(3, "older"));
    EXPECT_FALSE(Data().SaveImage(ManyColours(257)));
    EXPECT_EQ(fw::ReadFileBytes(Path("older.gif")), "older");
    ASSERT_EQ(BoxTexts(), (std::vector<std::string>{GIFTooManyColoursText(Path("older.gif").string())}));
    EXPECT_EQ(boxes.front().Caption, "Error");
    EXPECT_NE(boxes.front().Text.find("256 colours"), std::string::npos);

    const fw::ScopedHandler fresh(&fw::FileDialog::SetHandler, Choose(3, "many"));
    EXPECT_FALSE(Data().SaveImage(ManyColours(257)));
    EXPECT_FALSE(std::filesystem::exists(Path("many.gif")));
    EXPECT_EQ(boxes.size(), 2u);

    // 256 colours are still a GIF.
    EXPECT_TRUE(Data().SaveImage(ManyColours(256)));
    EXPECT_EQ(FileStart(Path("many.gif"), 6), "GIF89a");
    ExpectSamePixels(ReadWithQt(Path("many.gif"), "gif"), ManyColours(256));
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(ImageExportTest, CancellingTheDialogWritesNothing)
{
    const fw::ScopedHandler script(&fw::FileDialog::SetHandler, [this](fw::FileDialog&) {
        ++dialogRuns;
        return false;
    });
    EXPECT_FALSE(Data().SaveImage(BandPicture()));
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_TRUE(std::filesystem::is_empty(Folder()));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ImageExportTest, AnEmptyBitmapRoundTripsThroughABmpFile)
{
    // Row padding and monochrome pictures are the codec's own tests; here the export path.
    ASSERT_TRUE(WriteImageFile(fw::Bitmap(0, 0), Path("empty.bmp").string(), TTWImageFormat::Bitmap));
    EXPECT_EQ(FileStart(Path("empty.bmp"), 2), "BM");
    const fw::Bitmap empty = fw::LoadBmpFromFile(Path("empty.bmp").string());
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_EQ(empty.Height(), 0);
}

TEST_F(ImageExportTest, JpegUsesTheQualityAndRefusesAnEmptyImage)
{
    const fw::Bitmap picture = BandPicture();
    // Higher quality keeps more: the file grows with it.
    EXPECT_GT(EncodeJpeg(picture, 90).size(), EncodeJpeg(picture, 20).size());
    EXPECT_EQ(EncodeJpeg(picture, 250), EncodeJpeg(picture, 100)) << "clamped";

    EXPECT_THROW(static_cast<void>(EncodeJpeg(fw::Bitmap(0, 7), 90)), fw::EConvertError);
    EXPECT_THROW(SaveJpegToFile(fw::Bitmap(), Path("empty.jpg").string(), 90), fw::EConvertError);
    EXPECT_FALSE(std::filesystem::exists(Path("empty.jpg")));
    // Beyond what JPEG can hold: libjpeg's refusal arrives as our error, not as an exit.
    EXPECT_THROW(static_cast<void>(EncodeJpeg(fw::Bitmap(70000, 1), 90)), fw::EConvertError);

    // An empty picture cannot be a GIF either; the user is told through the error.
    const fw::ScopedHandler script(&fw::FileDialog::SetHandler, Choose(3, "empty"));
    EXPECT_THROW(Data().SaveImage(fw::Bitmap()), fw::EConvertError);
    EXPECT_FALSE(std::filesystem::exists(Path("empty.gif")));
}

TEST_F(ImageExportTest, ImageMagickReadsEveryExportedFormat)
{
    if (!IdentifyInstalled()) {
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    }
    const fw::Bitmap picture = BandPicture();
    ASSERT_TRUE(WriteImageFile(picture, Path("band.gif").string(), TTWImageFormat::GIF));
    ASSERT_TRUE(WriteImageFile(picture, Path("band.bmp").string(), TTWImageFormat::Bitmap));
    ASSERT_TRUE(WriteImageFile(picture, Path("band.jpg").string(), TTWImageFormat::JPEG));
    EXPECT_EQ(Identify(Path("band.gif"), "%m %w %h"), "GIF 48 32");
    // ImageMagick names the Windows bitmap by its header's version: "BMP3" for ours.
    EXPECT_THAT(Identify(Path("band.bmp"), "%m %w %h"), testing::MatchesRegex("BMP3? 48 32"));
    EXPECT_EQ(Identify(Path("band.jpg"), "%m %w %h %Q"), "JPEG 48 32 90");
}

// --- The Qt dialog, driven as a user would ---

// Runs steps on the Qt dialogs that open modally while the code under test waits in them:
// each step waits for a modal widget that it accepts, then acts on it. A dialog nobody
// handles within the time limit is closed, so that a broken script fails instead of hanging.
class QtDialogScript {
public:
    struct Step {
        std::function<bool(QWidget*)> Accepts;
        std::function<void(QWidget*)> Act;
    };

    explicit QtDialogScript(std::vector<Step> steps) : steps_(std::move(steps)) { Poll(); }

    bool Finished() const { return next_ == steps_.size() && !timedOut_; }

private:
    static constexpr int PollMilliseconds = 10;
    static constexpr int PollLimit = 500;

    void Poll()
    {
        QTimer::singleShot(PollMilliseconds, &context_, [this] {
            if (next_ == steps_.size()) {
                return;
            }
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != nullptr && modal->isVisible() && steps_[next_].Accepts(modal)) {
                polls_ = 0;
                const Step& step = steps_[next_++];
                // The step may open a nested dialog; the next one waits for that.
                Poll();
                step.Act(modal);
                return;
            }
            if (++polls_ > PollLimit) {
                timedOut_ = true;
                if (modal != nullptr) {
                    modal->close();
                }
                return;
            }
            Poll();
        });
    }

    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int polls_ = 0;
    bool timedOut_ = false;
    QObject context_;
};

QFileDialog* AsFileDialog(QWidget* widget)
{
    return qobject_cast<QFileDialog*>(widget);
}

// Picks the filter in the type box and types the name, as a user does, then presses Save.
void TypeNameAndSave(QWidget* widget, int filterIndex, const QString& name)
{
    QFileDialog* dialog = AsFileDialog(widget);
    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    // A click in the box changes the index and then tells both of its activation signals.
    types->setCurrentIndex(filterIndex - 1);
    emit types->activated(filterIndex - 1);
    emit types->textActivated(types->itemText(filterIndex - 1));
    auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(nameEdit, nullptr);
    nameEdit->setText(name);
    // The dialog's own accept (protected in QFileDialog) is what its Save button runs.
    static_cast<QDialog*>(dialog)->accept();
}

TEST_F(ImageExportTest, TheQtDialogAddsTheFiltersExtensionBeforeAskingToOverwrite)
{
    const fw::ScopedHandler qt(&fw::FileDialog::SetHandler, fw::QtFileDialog);
    Data().dlgSavePicture->SetInitialDir(Folder().string());
    fw::WriteFileAtomically(Path("band.gif"), "older");

    std::string overwriteQuestion;
    QtDialogScript script({
        // "band" with the GIF filter is band.gif, which exists: the user is asked...
        {[](QWidget* w) { return AsFileDialog(w) != nullptr; },
         [](QWidget* w) { TypeNameAndSave(w, 3, QStringLiteral("band")); }},
        // ... and says No, which goes back to the dialog ...
        {[](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
         [&](QWidget* w) {
             auto* box = qobject_cast<QMessageBox*>(w);
             overwriteQuestion = box->text().toStdString();
             box->button(QMessageBox::No)->click();
         }},
        // ... where a new name with the bitmap filter is saved without a question.
        {[](QWidget* w) { return AsFileDialog(w) != nullptr; },
         [](QWidget* w) { TypeNameAndSave(w, 2, QStringLiteral("pattern")); }},
    });
    const fw::Bitmap picture = BandPicture();
    EXPECT_TRUE(Data().SaveImage(picture));
    EXPECT_TRUE(script.Finished());
    EXPECT_NE(overwriteQuestion.find("band.gif"), std::string::npos) << overwriteQuestion;
    EXPECT_EQ(fw::ReadFileBytes(Path("band.gif")), "older");
    EXPECT_EQ(Data().dlgSavePicture->FilterIndex(), 2) << "the filter chosen is read back";
    EXPECT_EQ(Data().dlgSavePicture->FileName(), Path("pattern.bmp").string());
    EXPECT_TRUE(fw::LoadBmpFromFile(Path("pattern.bmp").string()).SamePixels(picture));
}

TEST_F(ImageExportTest, TheQtDialogAddsJpgToABareNameWithTheJpegFilter)
{
    const fw::ScopedHandler qt(&fw::FileDialog::SetHandler, fw::QtFileDialog);
    Data().dlgSavePicture->SetInitialDir(Folder().string());
    fw::WriteFileAtomically(Path("band.jpg"), "older");

    bool asked = false;
    QtDialogScript script({
        {[](QWidget* w) { return AsFileDialog(w) != nullptr; },
         [](QWidget* w) { TypeNameAndSave(w, 1, QStringLiteral("band")); }},
        // The JPEG entry names two extensions; the name asked about is still band.jpg.
        {[](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
         [&](QWidget* w) {
             asked = qobject_cast<QMessageBox*>(w)->text().contains(QStringLiteral("band.jpg"));
             qobject_cast<QMessageBox*>(w)->button(QMessageBox::Yes)->click();
         }},
    });
    EXPECT_TRUE(Data().SaveImage(BandPicture()));
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(asked);
    EXPECT_EQ(Data().dlgSavePicture->FilterIndex(), 1);
    EXPECT_EQ(FileStart(Path("band.jpg"), 3), "\xFF\xD8\xFF");
}

} // namespace
