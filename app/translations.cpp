// translations.cpp
#include "translations.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>

namespace {

// Candidates as QTranslator::load(QLocale) tries them; found by hand so the log can name a file
// that exists but cannot be used.
QString findFile(const QString &dir, const QString &prefix, const QStringList &languages)
{
    for (QString name : languages) {
        name.replace('-', '_');
        for (;;) {
            const QString path = dir + '/' + prefix + '_' + name + ".qm";
            if (QFile::exists(path))
                return path;
            const int cut = name.lastIndexOf('_');
            if (cut <= 0)
                break;
            name.truncate(cut);
        }
    }
    return QString();
}

quint32 read32(const uchar *p)
{
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%\\d+"));
    QSet<QString> found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

// QTranslator takes a file whose message records are cut short, and a translation that lost a
// "%1" would show a text without its value: both are refused here. Empty when the file is sound.
QString checkMessages(const QByteArray &file)
{
    enum
    {
        Magic = 16,
        MessagesBlock = 0x69,
        End = 1,
        Translation = 3,
        Obsolete1 = 5,
        SourceText = 6,
        Context = 7,
        Comment = 8
    };
    const uchar *p = reinterpret_cast<const uchar *>(file.constData()) + Magic;
    const uchar *const fileEnd = reinterpret_cast<const uchar *>(file.constData()) + file.size();
    bool hasMessages = false;
    while (fileEnd - p >= 5) {
        const uchar tag = p[0];
        const quint32 length = read32(p + 1);
        p += 5;
        if (length > quint32(fileEnd - p))
            return QStringLiteral("a block runs past the end of the file");
        const uchar *const blockEnd = p + length;
        if (tag == MessagesBlock) {
            hasMessages = true;
            QString source;
            QStringList translated;
            while (p < blockEnd) {
                const uchar item = *p++;
                if (item == End) {
                    for (const QString &text : translated) {
                        if (!placeholders(source).subtract(placeholders(text)).isEmpty())
                            return QStringLiteral("the translation of \"%1\" lacks a placeholder").arg(source);
                    }
                    source.clear();
                    translated.clear();
                    continue;
                }
                if (item != Translation && item != SourceText && item != Context && item != Comment && item != Obsolete1)
                    return QStringLiteral("unknown message record %1").arg(item);
                if (blockEnd - p < 4)
                    return QStringLiteral("a message is cut short");
                const quint32 size = item == Obsolete1 ? 0 : read32(p);
                p += 4;
                if (size == 0xffffffffu)
                    continue;
                if (size > quint32(blockEnd - p))
                    return QStringLiteral("a message is cut short");
                if (item == Translation) {
                    QString text(int(size / 2), Qt::Uninitialized); // UTF-16, high byte first
                    for (int i = 0; i < text.size(); ++i)
                        text[i] = QChar(ushort(p[2 * i] << 8 | p[2 * i + 1]));
                    translated.append(text);
                } else if (item == SourceText)
                    source = QString::fromUtf8(reinterpret_cast<const char *>(p), int(size));
                p += size;
            }
        }
        p = blockEnd;
    }
    return hasMessages ? QString() : QStringLiteral("it holds no messages");
}

} // namespace

QString installTranslations(const QString &dir, const QStringList &languages)
{
    const QString path = findFile(dir, QStringLiteral("kestra"), languages);
    if (path.isEmpty()) {
        qDebug() << "Translation: none for" << languages << "in" << dir << "; texts stay English";
        return QString();
    }
    auto *own = new QTranslator(QCoreApplication::instance());
    QFile file(path);
    const QString problem
        = !own->load(path) || !file.open(QIODevice::ReadOnly) ? QStringLiteral("not a translation") : checkMessages(file.readAll());
    if (!problem.isEmpty()) {
        delete own;
        qDebug() << "Translation:" << path << "not used:" << problem << "; texts stay English";
        return QString();
    }
    // Qt's own catalogue stays out: the operator never sees a Qt dialog, and Qt's texts inside log
    // lines (socket and database errors) are read by service tools in English.
    QCoreApplication::installTranslator(own);
    qDebug() << "Translation:" << path << "loaded";
    return path;
}
