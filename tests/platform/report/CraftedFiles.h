#pragma once
// Report files and pictures made byte by byte in the report file tests.
#include <QByteArray>
#include <QtEndian>

#include <zlib.h>

#include <utility>
#include <vector>

namespace reporttest {

inline QByteArray pack(const QByteArray &raw, int level = 9)
{
    uLongf len = compressBound(uLong(raw.size()));
    QByteArray out(qsizetype(len), '\0');
    compress2(reinterpret_cast<Bytef *>(out.data()), &len, reinterpret_cast<const Bytef *>(raw.constData()),
              uLong(raw.size()), level);
    out.resize(qsizetype(len));
    return out;
}

template <class T> void put(QByteArray &b, T v)
{
    const T le = qToLittleEndian(v);
    b.append(reinterpret_cast<const char *>(&le), sizeof le);
}

// A version 2 file of the given sections, each stored as it is.
inline QByteArray version2(const std::vector<std::pair<char, QByteArray>> &sections)
{
    QByteArray out = QByteArrayLiteral("BRVQRPBN") + QByteArray(4, '\0');
    qToLittleEndian<quint32>(2, out.data() + 8);
    for (const auto &[kind, body] : sections) {
        QByteArray head(10, '\0');
        head[0] = kind;
        qToLittleEndian<quint32>(quint32(body.size()), head.data() + 2);
        qToLittleEndian<quint32>(quint32(body.size()), head.data() + 6);
        out += head + body;
    }
    return out;
}

inline QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray c(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), c.data());
    c += QByteArray(type, 4) + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef *>(c.constData() + 4), uInt(c.size() - 4))),
                          crc.data());
    return c + crc;
}

// A grey PNG of w x h zeros (a few kilobytes that decode to w x h bytes),
// its pixel data `extra` bytes longer than its pixels, after `notes` packed
// notes of 4 MiB each.
inline QByteArray greyPng(quint32 w, quint32 h, qint64 extra = 0, int notes = 0)
{
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(w, ihdr.data());
    qToBigEndian<quint32>(h, ihdr.data() + 4);
    ihdr[8] = 8; // bits a channel; colour type 0: grey
    QByteArray out = QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", ihdr);
    const QByteArray note =
        notes ? pngChunk("zTXt", QByteArray("Comment\0\0", 9) + pack(QByteArray(4 << 20, 'a'))) : QByteArray();
    for (int i = 0; i < notes; ++i)
        out += note;
    return out + pngChunk("IDAT", pack(QByteArray(qsizetype(h) * (w + 1) + extra, '\0'), 1)) +
           pngChunk("IEND", QByteArray());
}

// A file of `pictures` pictures on one page that shows those of `shown`.
inline QByteArray picturesFile(const QByteArray &png, quint32 pictures, const std::vector<quint32> &shown)
{
    QByteArray head, page;
    put(head, 210.0);
    put(head, 297.0);
    put<quint32>(head, 1);
    put<quint32>(head, 0);
    put<quint32>(head, 0);
    put<quint32>(head, pictures);
    put<quint64>(head, shown.size());
    put<quint32>(page, quint32(shown.size()));
    for (quint32 pic : shown) {
        page.append(char(4));
        for (double v : {10.0, 10.0, 100.0, 100.0})
            put(page, v);
        put(page, pic);
    }
    std::vector<std::pair<char, QByteArray>> sections{{'H', head}};
    for (quint32 i = 0; i < pictures; ++i)
        sections.push_back({'I', png});
    sections.push_back({'P', page});
    sections.push_back({'E', QByteArray()});
    return version2(sections);
}

} // namespace reporttest
