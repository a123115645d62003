#include "samples/DataFiles.h"
#include "base/Files.h"
#include "base/NumberForms.h"

#include <QCoreApplication>
#include <QFile>
#include <cstring>

namespace datafiles {

bool DecodeGrz(const QByteArray &bytes, TSampleData &out)
{
    const qint64 size = bytes.size();
    if (size < 16 || (size - 16) % 8 != 0)
        return false;
    const qint64 n = (size - 16) / 8;
    if (n > TSampleData::Capacity)
        return false;
    const auto *p = reinterpret_cast<const uint8_t *>(bytes.constData());
    const uint16_t count = uint16_t(p[12] | (p[13] << 8));
    if (count > n)
        return false;
    TSampleData d = out;
    std::memcpy(d.Reserved1, p, 12);
    d.Count = count;
    std::memcpy(d.D, p + 14, size_t(6 * n));
    const uint8_t *pn = p + 14 + 6 * n;
    for (qint64 k = 0; k < n; ++k)
        d.N[k] = uint16_t(pn[2 * k] | (pn[2 * k + 1] << 8));
    std::memcpy(d.Reserved2, pn + 2 * n, 2);
    out = d;
    return true;
}

bool ReadGrz(const QString &fileName, TSampleData &out, QString &error)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QCoreApplication::translate("DataFiles", "Не удается открыть файл \"%1\"").arg(fileName);
        return false;
    }
    // A valid file is at most 80016 bytes; never read more than one byte past that.
    const QByteArray bytes = f.read(16 + 8 * TSampleData::Capacity + 1);
    if (!DecodeGrz(bytes, out)) {
        error = QCoreApplication::translate("DataFiles", "Файл \"%1\" не является файлом данных Grizal 2")
                    .arg(fileName);
        return false;
    }
    return true;
}

QByteArray EncodeGrz(const TSampleData &data)
{
    QByteArray bytes(int(sizeof(TSampleData)), '\0');
    auto *p = reinterpret_cast<uint8_t *>(bytes.data());
    std::memcpy(p, data.Reserved1, 12);
    p[12] = uint8_t(data.Count & 0xFF);
    p[13] = uint8_t(data.Count >> 8);
    std::memcpy(p + 14, data.D, sizeof data.D);
    uint8_t *pn = p + 60014;
    for (int k = 0; k < TSampleData::Capacity; ++k) {
        pn[2 * k] = uint8_t(data.N[k] & 0xFF);
        pn[2 * k + 1] = uint8_t(data.N[k] >> 8);
    }
    std::memcpy(p + 80014, data.Reserved2, 2);
    return bytes;
}

QByteArray EncodeTxt(const TSampleData &data, QChar sep)
{
    QByteArray out;
    for (int k = 0; k < data.Count; ++k) {
        out += numtext::FormatGeneral(data.Size(k), sep).toLatin1();
        out += '\t';
        out += QByteArray::number(data.N[k]);
        out += "\r\n";
    }
    return out;
}

bool EncodeForFile(const QString &fileName, const TSampleData &data, QChar sep, QByteArray &bytes)
{
    const QString ext = fileio::UpperExtension(fileName);
    if (ext == QLatin1String(".GRZ"))
        bytes = EncodeGrz(data);
    else if (ext == QLatin1String(".TXT"))
        bytes = EncodeTxt(data, sep);
    else
        return false;
    return true;
}

} // namespace datafiles
