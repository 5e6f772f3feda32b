#include "framework/gui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "framework/gui/qt_conversions.h"

namespace fw {

namespace {

class QtClipboard : public Clipboard {
public:
    bool HasText() const override
    {
        const QMimeData* data = Board().mimeData();
        return data != nullptr && data->hasText();
    }
    std::string AsText() const override { return Board().text().toStdString(); }
    void SetAsText(const std::string& text) override { Board().setText(QString::fromStdString(text)); }

    bool HasBitmap() const override
    {
        const QMimeData* data = Board().mimeData();
        return data != nullptr && data->hasImage();
    }
    Bitmap GetBitmap() const override { return QImageToBitmap(Board().image()); }
    void SetBitmap(const Bitmap& bitmap) override
    {
        if (bitmap.Empty()) {
            Board().clear();
        } else {
            Board().setImage(BitmapToQImage(bitmap));
        }
    }

    void Clear() override { Board().clear(); }

private:
    static QClipboard& Board() { return *QGuiApplication::clipboard(); }
};

} // namespace

std::unique_ptr<Clipboard> CreateQtClipboard()
{
    return std::make_unique<QtClipboard>();
}

} // namespace fw
