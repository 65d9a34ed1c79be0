#include "colour/ProfileRows.h"

#include "colour/ProfileInfo.h"
#include "metadata/EmbeddedProfile.h"

namespace colour {

namespace {

metadata::TInfoRow Row(std::string name, std::string value = {})
{
    metadata::TInfoRow row;
    row.Depth = 1;
    row.Name = std::move(name);
    row.Value = std::move(value);
    row.MultiLine = row.Value.find('\n') != std::string::npos;
    return row;
}

} // namespace

std::vector<metadata::TInfoRow> ProfileRows(const metadata::TInfoRecord& record)
{
    std::vector<metadata::TInfoRow> rows;
    metadata::TInfoRow group;
    group.Name = "プロファイル情報";
    group.Expanded = true;
    rows.push_back(group);
    if (record.IccOffset == 0) {
        rows.push_back(Row("見つかりません"));
        return rows;
    }
    std::vector<uint8_t> bytes;
    TProfileInfo info;
    if (!metadata::ReadEmbeddedProfile(record.FileName, record.IccOffset, record.IccLength, bytes)
        || !ReadProfileInfo(bytes.data(), bytes.size(), info)) {
        rows.push_back(Row("破損しています"));
        return rows;
    }
    rows.push_back(Row("名前", info.Name));
    rows.push_back(Row("説明", info.Description));
    rows.push_back(Row("色空間", ColorSpaceText(info.ColorSpace)));
    rows.push_back(Row("デバイスクラス", DeviceClassText(info.DeviceClass)));
    rows.push_back(Row("PCS色空間", ColorSpaceText(info.Pcs)));
    if (info.WhitePoint)
        rows.push_back(Row("WhitePoint", XYZText(*info.WhitePoint)));
    if (info.BlackPoint)
        rows.push_back(Row("BlackPoint", XYZText(*info.BlackPoint)));
    if (info.Illuminant)
        rows.push_back(Row("色温度", XYZText(*info.Illuminant)));
    if (info.Colorants)
        rows.push_back(Row("\n変換マトリクス", ColorantMatrixText(*info.Colorants)));
    return rows;
}

} // namespace colour
