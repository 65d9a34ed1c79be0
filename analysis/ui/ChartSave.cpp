#include "analysis/ui/ChartSave.h"

#include <QBuffer>

#include "imaging/Bitmap.h"
#include "imaging/PictureEncode.h"
#include "platform/AtomicFile.h"
#include "platform/PathName.h"

namespace {

constexpr int kDotsPerInch = 72;
constexpr int kDotsPerMetre = 2835; // 72 dots per inch

imaging::Bitmap BitmapOf(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    imaging::Bitmap bitmap(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uint8_t* out = bitmap.Row(y);
        for (int x = 0; x < rgb.width(); ++x, out += 3) {
            out[0] = uint8_t(qBlue(in[x]));
            out[1] = uint8_t(qGreen(in[x]));
            out[2] = uint8_t(qRed(in[x]));
        }
    }
    return bitmap;
}

bool QtEncode(const QImage& image, const char* format, std::string& bytes)
{
    QImage copy = image.convertToFormat(QImage::Format_RGB32);
    copy.setDotsPerMeterX(kDotsPerMetre);
    copy.setDotsPerMeterY(kDotsPerMetre);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!copy.save(&buffer, format, format == std::string("JPG") ? 90 : -1))
        return false;
    bytes.assign(data.constData(), size_t(data.size()));
    return true;
}

} // namespace

std::optional<TChartFormat> ChartFormatOfName(const std::string& path)
{
    const std::string extension = platform::LowerExtensionOf(path);
    if (extension == ".jpg" || extension == ".jpeg")
        return TChartFormat::Jpeg;
    if (extension == ".tif" || extension == ".tiff")
        return TChartFormat::Tiff;
    if (extension == ".pcx")
        return TChartFormat::Pcx;
    if (extension == ".png")
        return TChartFormat::Png;
    if (extension == ".bmp")
        return TChartFormat::Bmp;
    return std::nullopt;
}

bool SaveChartImage(const QImage& image, const std::string& path, TChartFormat format, std::string& error)
{
    std::string bytes;
    bool encoded = true;
    switch (format) {
    case TChartFormat::Tiff:
    case TChartFormat::Pcx: {
        const auto data = format == TChartFormat::Tiff ? imaging::EncodeTiff(BitmapOf(image), kDotsPerInch)
                                                       : imaging::EncodePcx(BitmapOf(image), kDotsPerInch);
        bytes.assign(data.begin(), data.end());
        break;
    }
    case TChartFormat::Jpeg:
        encoded = QtEncode(image, "JPG", bytes);
        break;
    case TChartFormat::Png:
        encoded = QtEncode(image, "PNG", bytes);
        break;
    case TChartFormat::Bmp:
        encoded = QtEncode(image, "BMP", bytes);
        break;
    }
    if (!encoded) {
        error = "画像を変換できませんでした";
        return false;
    }
    return platform::WriteFileAtomically(path, bytes, error);
}
