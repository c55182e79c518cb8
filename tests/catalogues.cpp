// The shipped catalogues are complete and up to date, and no text the user reads is left out of
// them. lupdate, run over the sources into a copy of a catalogue, finds nothing there left
// untranslated. Every literal in the program's sources that reads as words is a text lupdate
// finds marked for translation (or a context or note of one), or is listed in
// translations/untranslated.txt as never translated (registry names, protocol keys, ...; a
// text of several lines by its first).
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString sourceDir = VKR_SOURCE_DIR;
const QStringList translatedAreas{"app", "dialogs", "net", "settings", "status"};

struct Catalogue {
    QSet<QString> marked;   // sources, contexts and notes
    QStringList unfinished; // "context: source"
};

// Runs lupdate over the sources into the catalogue ts (made when it does not exist).
void runLupdate(const QString& ts) {
    QStringList args{"-locations", "none", "-no-obsolete", "-silent", "-I", sourceDir};
    for (const QString& area : translatedAreas) {
        args << sourceDir + "/" + area;
    }
    args << QDir(sourceDir + "/resources")
                .entryList({"*.ui"})
                .replaceInStrings(QRegularExpression("^"), sourceDir + "/resources/");
    args << "-ts" << ts;
    QProcess lupdate;
    lupdate.start(VKR_LUPDATE, args);
    QVERIFY2(lupdate.waitForFinished(60000), VKR_LUPDATE);
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());
}

Catalogue readCatalogue(const QString& ts) {
    Catalogue catalogue;
    QFile file(ts);
    if (!file.open(QIODevice::ReadOnly)) {
        return catalogue;
    }
    QXmlStreamReader xml(&file);
    QString context, source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement()) {
            continue;
        }
        const QStringView name = xml.name();
        if (name == u"name") {
            context = xml.readElementText();
            catalogue.marked << context;
        } else if (name == u"source" || name == u"comment") {
            const QString text = xml.readElementText();
            catalogue.marked << text;
            if (name == u"source") {
                source = text;
            }
        } else if (name == u"translation") {
            const bool unfinished = xml.attributes().value("type") == u"unfinished";
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (unfinished || text.trimmed().isEmpty()) {
                catalogue.unfinished << context + ": " + source;
            }
        } else if (name != u"TS" && name != u"context" && name != u"message") {
            xml.skipCurrentElement();
        }
    }
    return catalogue;
}

struct Literal {
    QString text;
    QString where;
};

// The string literals of a C++ source, adjacent ones joined as the compiler joins them, with
// their escapes read. Comments, character literals and #include lines are skipped.
QList<Literal> literalsOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString code = QString::fromUtf8(file.readAll());
    QList<Literal> found;
    int line = 1;
    bool joining = false; // the last token was a literal
    for (int i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        const QChar next = i + 1 < code.size() ? code[i + 1] : QChar();
        if (c == '\n') {
            ++line;
        } else if (c == '/' && next == '/') {
            i = code.indexOf('\n', i) - 1;
            if (i < 0) {
                break;
            }
        } else if (c == '/' && next == '*') {
            const int end = code.indexOf("*/", i + 2);
            line += code.mid(i, end - i).count('\n');
            i = end + 1;
        } else if (c == '#' && code.mid(i, 8) == "#include") {
            i = code.indexOf('\n', i) - 1;
        } else if (c == '\'') {
            for (++i; i < code.size() && code[i] != '\''; ++i) {
                i += code[i] == '\\';
            }
            joining = false;
        } else if (c == '"') {
            QString text;
            for (++i; i < code.size() && code[i] != '"'; ++i) {
                if (code[i] == '\\' && i + 1 < code.size()) {
                    const QChar e = code[++i];
                    text += e == 'n' ? QChar('\n') : e == 't' ? QChar('\t') : e;
                } else {
                    text += code[i];
                }
            }
            if (joining) {
                found.last().text += text;
            } else {
                found.append(
                    {text, QString("%1:%2").arg(QDir(sourceDir).relativeFilePath(path)).arg(line)});
            }
            joining = true;
        } else if (!c.isSpace()) {
            joining = false;
        }
    }
    return found;
}

// Whether a literal reads as words a user could be shown: two words, or one capitalised word.
bool readsAsWords(const QString& text) {
    static const QRegularExpression words("[A-Za-z]{2,}[,.:;!?)'\"]* +[(\"']?[A-Za-z]{2,}");
    static const QRegularExpression word("^&?[A-Z][a-z]{2,}(\\.\\.\\.|:)?$");
    return words.match(text).hasMatch() || word.match(text).hasMatch();
}

QSet<QString> neverTranslated() {
    QSet<QString> texts;
    QFile file(sourceDir + "/translations/untranslated.txt");
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
            if (!line.isEmpty() && !line.startsWith("//")) {
                texts << line;
            }
        }
    }
    return texts;
}

} // namespace

class CataloguesTest : public QObject {
    Q_OBJECT

private slots:
    void complete_data() {
        QTest::addColumn<QString>("catalogue");
        for (const QString& ts : QDir(sourceDir + "/translations").entryList({"*.ts"})) {
            QTest::newRow(qPrintable(ts)) << ts;
        }
    }
    void complete() {
        QFETCH(QString, catalogue);
        QTemporaryDir dir;
        const QString copy = dir.filePath(catalogue);
        QVERIFY(QFile::copy(sourceDir + "/translations/" + catalogue, copy));
        runLupdate(copy);
        const QStringList unfinished = readCatalogue(copy).unfinished;
        QVERIFY2(
            unfinished.isEmpty(),
            qPrintable(
                QString("%1 untranslated:\n%2").arg(unfinished.size()).arg(unfinished.join('\n'))));
    }

    void everyTextMarked() {
        QTemporaryDir dir;
        const QString ts = dir.filePath("all.ts");
        runLupdate(ts);
        const QSet<QString> marked = readCatalogue(ts).marked;
        QVERIFY(!marked.isEmpty());
        const QSet<QString> allowed = neverTranslated();
        QStringList unmarked;
        for (const QString& area : translatedAreas) {
            QDirIterator files(sourceDir + "/" + area, {"*.cpp", "*.h"}, QDir::Files);
            while (files.hasNext()) {
                for (const Literal& l : literalsOf(files.next())) {
                    if (readsAsWords(l.text) && !marked.contains(l.text) &&
                        !allowed.contains(l.text.section('\n', 0, 0))) {
                        unmarked << QString("%1: \"%2\"").arg(l.where, l.text);
                    }
                }
            }
        }
        unmarked.sort();
        for (const QString& text : unmarked) {
            qWarning().noquote() << "not marked:" << text;
        }
        QVERIFY2(unmarked.isEmpty(),
                 qPrintable(QString("%1 texts neither marked for translation nor listed in "
                                    "translations/untranslated.txt")
                                .arg(unmarked.size())));
    }
};

QTEST_GUILESS_MAIN(CataloguesTest)
#include "catalogues.moc"
