#pragma once
// Report files and pictures made byte by byte in the report file tests and
// the benchmarks of report files.
#include <QByteArray>
#include <QtEndian>

#include <zlib.h>

#include <array>
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

// A version 2 file of these sections, packed or stored.
inline QByteArray version2(const std::vector<std::pair<char, QByteArray>> &sections, bool packed = false)
{
    QByteArray out = QByteArrayLiteral("BRVQRPBN");
    put<quint32>(out, 2);
    for (const auto &[kind, body] : sections) {
        const bool packIt = packed && !body.isEmpty();
        const QByteArray held = packIt ? pack(body) : body;
        out.append(kind);
        out.append(char(packIt ? 1 : 0));
        put<quint32>(out, quint32(held.size()));
        put<quint32>(out, quint32(body.size()));
        out += held;
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

// A PNG of w x h zeros, 8 bits a channel, grey (1 channel) or red, green,
// blue and alpha (4): the chunks `before` ahead of its pixel data, which is
// `extra` bytes longer than its pixels and packed at `level`.
inline QByteArray zeroPng(quint32 w, quint32 h, int channels, const QByteArray &before, qint64 extra, int level)
{
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(w, ihdr.data());
    qToBigEndian<quint32>(h, ihdr.data() + 4);
    ihdr[8] = 8;
    ihdr[9] = char(channels == 4 ? 6 : 0);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", ihdr) + before +
           pngChunk("IDAT", pack(QByteArray(qsizetype(h) * (channels * w + 1) + extra, '\0'), level)) +
           pngChunk("IEND", QByteArray());
}

// `n` packed text chunks (zTXt) of 4 MiB each.
inline QByteArray textChunks(int n)
{
    const QByteArray note = pngChunk("zTXt", QByteArray("Comment\0\0", 9) + pack(QByteArray(4 << 20, 'a')));
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += note;
    return out;
}

// A grey PNG of w x h zeros (a few kilobytes that decode to w x h bytes),
// its pixel data `extra` bytes longer than its pixels, after `notes` packed
// notes of 4 MiB each.
inline QByteArray greyPng(quint32 w, quint32 h, qint64 extra = 0, int notes = 0)
{
    return zeroPng(w, h, 1, textChunks(notes), extra, 1);
}

// A PNG of w x h transparent pixels, the chunks `before` ahead of its pixels.
inline QByteArray clearPng(quint32 w, quint32 h, const QByteArray &before = QByteArray())
{
    return zeroPng(w, h, 4, before, 0, 9);
}

// A file of `pictures` pictures on one page that shows those of `shown`,
// the k-th at `rects[k]` (left, top, width, height) or, with no rects, at
// 10, 10 over 100 x 100; its sections packed or stored.
inline QByteArray picturesFile(const QByteArray &png, quint32 pictures, const std::vector<quint32> &shown,
                               const std::vector<std::array<double, 4>> &rects = {}, bool packed = false)
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
    for (size_t k = 0; k < shown.size(); ++k) {
        page.append(char(4));
        for (double v : rects.empty() ? std::array<double, 4>{10.0, 10.0, 100.0, 100.0} : rects[k])
            put(page, v);
        put(page, shown[k]);
    }
    std::vector<std::pair<char, QByteArray>> sections{{'H', head}};
    for (quint32 i = 0; i < pictures; ++i)
        sections.push_back({'I', png});
    sections.push_back({'P', page});
    sections.push_back({'E', QByteArray()});
    return version2(sections, packed);
}

} // namespace reporttest
