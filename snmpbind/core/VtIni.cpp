// Plain INI reading: sections and keys matched ignoring case, values taken verbatim.
#include "VtIni.h"

#include <QFile>
#include <QStringDecoder>

namespace {

constexpr qsizetype kMaxValue = 4095;

QString decode(const QByteArray &data)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(data);
    // Files written by older tools may be in a single-byte code page.
    return utf8.hasError() ? QString::fromLatin1(data) : text;
}

} // namespace

VtIni::VtIni(QString fileName) : FileName(std::move(fileName)) { }

const QString *VtIni::text() const
{
    if (m_readName != FileName) {
        m_readName = FileName;
        m_text.reset();
        QFile file(FileName);
        if (file.open(QIODevice::ReadOnly)) {
            m_text = decode(file.readAll());
        }
    }
    return m_text ? &*m_text : nullptr;
}

QString VtIni::ReadString(
    const QString &section, const QString &key, const QString &defaultValue) const
{
    const QString *text = this->text();
    if (text == nullptr) {
        return defaultValue;
    }
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    bool inSection = false;
    for (QStringView line : QStringView(*text).split(u'\n')) {
        line = line.trimmed(); // also drops the carriage return of CRLF files
        if (line.isEmpty() || line.startsWith(u';')) {
            continue;
        }
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QStringView name = close < 0 ? line.mid(1) : line.mid(1, close - 1);
            inSection = name.trimmed().compare(wantedSection, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection) {
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || line.left(eq).trimmed().compare(wantedKey, Qt::CaseInsensitive) != 0) {
            continue;
        }
        return line.mid(eq + 1).trimmed().left(kMaxValue).trimmed().toString();
    }
    return defaultValue;
}

QString JoinPath(const QString &directory, const QString &name)
{
    if (directory.isEmpty()) {
        return name;
    }
    if (directory.endsWith(u'/') || directory.endsWith(u'\\')) {
        return directory + name;
    }
    return directory + u'/' + name;
}
