#pragma once
// Report files and pictures made byte by byte in the benchmarks of report
// files.
#include <QByteArray>
#include <QtEndian>

#include <zlib.h>

#include <utility>
#include <vector>

namespace benchfiles {

template <class T> void put(QByteArray &b, T v)
{
    const T le = qToLittleEndian(v);
    b.append(reinterpret_cast<const char *>(&le), sizeof le);
}

inline QByteArray deflated(const QByteArray &raw)
{
    uLongf len = compressBound(uLong(raw.size()));
    QByteArray out(qsizetype(len), '\0');
    compress2(reinterpret_cast<Bytef *>(out.data()), &len, reinterpret_cast<const Bytef *>(raw.constData()),
              uLong(raw.size()), 9);
    out.resize(qsizetype(len));
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

// A PNG of w x h transparent pixels (8 bits a channel, red, green, blue and
// alpha), the chunks `before` ahead of its pixel data.
inline QByteArray clearPng(quint32 w, quint32 h, const QByteArray &before = QByteArray())
{
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(w, ihdr.data());
    qToBigEndian<quint32>(h, ihdr.data() + 4);
    ihdr[8] = 8;
    ihdr[9] = 6;
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", ihdr) + before +
           pngChunk("IDAT", deflated(QByteArray(qsizetype(h) * (4 * w + 1), '\0'))) + pngChunk("IEND", QByteArray());
}

// A version 2 file of these sections, packed or stored.
inline QByteArray version2(const std::vector<std::pair<char, QByteArray>> &sections, bool packed)
{
    QByteArray out = QByteArrayLiteral("BRVQRPBN");
    put<quint32>(out, 2);
    for (const auto &[kind, body] : sections) {
        const QByteArray held = packed && !body.isEmpty() ? deflated(body) : body;
        out.append(kind);
        out.append(char(packed && !body.isEmpty() ? 1 : 0));
        put<quint32>(out, quint32(held.size()));
        put<quint32>(out, quint32(body.size()));
        out += held;
    }
    return out;
}

} // namespace benchfiles
