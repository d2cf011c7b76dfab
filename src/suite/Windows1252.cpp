#include "Windows1252.h"

#include <array>

namespace {

// Characters of the bytes 0x80 to 0x9F; the rest of the page equals Latin-1.
constexpr std::array<char16_t, 32> kAltos = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char aByte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < kAltos.size(); ++i)
        if (kAltos[i] == c)
            return char(0x80 + i);
    return '?';
}

} // namespace

QString Windows1252::Decodificar(QByteArrayView bytes)
{
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar *destino = texto.data();
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *destino++ = QChar(u >= 0x80 && u < 0xA0 ? kAltos[u - 0x80] : char16_t(u));
    }
    return texto;
}

QByteArray Windows1252::Codificar(QStringView texto)
{
    QByteArray bytes(texto.size(), Qt::Uninitialized);
    char *destino = bytes.data();
    for (QChar c : texto)
        *destino++ = aByte(c.unicode());
    return bytes;
}
