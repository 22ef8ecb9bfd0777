#include "xmprepair.h"

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <algorithm>

namespace pelmora {

namespace {

const QString rdfNamespace = QStringLiteral("http://www.w3.org/1999/02/22-rdf-syntax-ns#");
const QString xmlNamespace = QStringLiteral("http://www.w3.org/XML/1998/namespace");

// The RDF/XML grammar XMP uses: node elements (rdf:Description, an array, a typed node) hold
// property elements, which hold a value, a node element, or (rdf:parseType="Resource") property
// elements of a struct of their own. The properties of one node are its scope.
enum class Kind { Outside, Rdf, Node, Property, Literal };

struct Frame {
    Kind kind = Kind::Outside;
    int scope = -1;         // a node's, or a struct property's own, scope
    int parentScope = -1;   // a property's: the scope it belongs to
    bool structure = false; // a property whose children are properties (parseType Resource)
    // A property's: its key in its parent's scope, whether it repeats one, where it starts,
    // where its content starts, and its value as far as read.
    QString key;
    QString name;
    bool repeated = false;
    qsizetype start = 0;
    qsizetype contentStart = 0;
    QString attributes;
    QString text;
    bool hasChildren = false;
};

struct Cut {
    qsizetype from;
    qsizetype to;
};

QString keyOf(QStringView namespaceUri, QStringView name) {
    return namespaceUri.toString() + QLatin1Char(' ') + name.toString();
}

bool isSyntax(const QXmlStreamAttribute &a) {
    return a.namespaceUri() == rdfNamespace || a.namespaceUri() == xmlNamespace ||
           a.namespaceUri().isEmpty();
}

QString attributesOf(const QXmlStreamReader &reader) {
    QStringList all;
    for (const QXmlStreamAttribute &a : reader.attributes())
        if (!(a.namespaceUri() == rdfNamespace && a.name() == u"parseType"))
            all.append(keyOf(a.namespaceUri(), a.name()) + QLatin1Char('=') + a.value().toString());
    std::sort(all.begin(), all.end());
    return all.join(QLatin1Char('\n'));
}

// A property's value, to tell whether a repetition held another one: the text of a simple value
// as read; otherwise its attributes and its content with the blanks between elements dropped,
// and an ordered array the same as an unordered one of the same items.
QString valueOf(const Frame &property, QStringView packet, qsizetype contentEnd) {
    static const QRegularExpression blanksBetweenTags(QStringLiteral(">\\s+<"));
    static const QRegularExpression array(QStringLiteral("(</?)rdf:(Bag|Seq)\\b"));
    if (!property.hasChildren && property.attributes.isEmpty())
        return property.text;
    QString content = packet.sliced(property.contentStart, contentEnd - property.contentStart)
                          .toString()
                          .trimmed();
    content.replace(blanksBetweenTags, QStringLiteral("><"));
    content.replace(array, QStringLiteral("\\1rdf:Array"));
    return property.attributes + QLatin1Char('\n') + content;
}

// Where a property attribute stands in its element's start tag, with the blank before it.
std::optional<Cut> attributeIn(QStringView packet, qsizetype tagStart, qsizetype tagEnd,
                               const QXmlStreamAttribute &a) {
    const QRegularExpression attribute(
        QStringLiteral("\\s+%1\\s*=\\s*(\"[^\"]*\"|'[^']*')")
            .arg(QRegularExpression::escape(a.qualifiedName().toString())));
    const QRegularExpressionMatch match =
        attribute.match(packet.sliced(tagStart, tagEnd - tagStart).toString());
    if (!match.hasMatch())
        return std::nullopt;
    return Cut{tagStart + match.capturedStart(), tagStart + match.capturedEnd()};
}

class Repair {
public:
    explicit Repair(const QString &packet)
        : m_packet(packet)
        , m_reader(packet) {}

    // False when the packet is not well-formed up to the end of its rdf:RDF element.
    bool run() {
        while (!m_reader.atEnd()) {
            const qsizetype read = m_reader.characterOffset();
            const QXmlStreamReader::TokenType token = m_reader.readNext();
            // The reader may have taken the tag's "<" with the text before it.
            const qsizetype before = m_packet.lastIndexOf(QLatin1Char('<'), read);
            switch (token) {
            case QXmlStreamReader::StartElement:
                start(before);
                break;
            case QXmlStreamReader::EndElement:
                end(before);
                if (m_rdfDone)
                    return true;
                break;
            case QXmlStreamReader::Characters:
                if (!m_stack.isEmpty())
                    m_stack.last().text += m_reader.text();
                break;
            default:
                break;
            }
        }
        return !m_reader.hasError() && m_rdfDone;
    }

    QList<Cut> cuts;
    QStringList differing;

private:
    int newScope() {
        m_scopes.append(QHash<QString, QString>());
        return int(m_scopes.size() - 1);
    }

    void start(qsizetype before) {
        Kind parentKind = Kind::Outside;
        int parentScope = -1;
        bool inRepeated = false;
        bool inStructure = false;
        if (!m_stack.isEmpty()) {
            Frame &parent = m_stack.last();
            parent.hasChildren = true;
            parentKind = parent.kind;
            parentScope = parent.scope;
            inRepeated = parent.repeated;
            inStructure = parent.structure;
        }
        Frame frame;
        switch (parentKind) {
        case Kind::Outside:
            frame.kind = m_reader.namespaceUri() == rdfNamespace && m_reader.name() == u"RDF"
                             ? Kind::Rdf
                             : Kind::Outside;
            break;
        case Kind::Rdf:
            frame.kind = Kind::Node;
            frame.scope = topScope();
            break;
        case Kind::Node:
            frame.kind = Kind::Property;
            break;
        case Kind::Property:
            if (inRepeated)
                frame.kind = Kind::Literal; // goes with it, unread
            else if (inStructure)
                frame.kind = Kind::Property;
            else
                frame.kind = Kind::Node;
            if (frame.kind == Kind::Node)
                frame.scope = newScope();
            break;
        case Kind::Literal:
            frame.kind = Kind::Literal;
            break;
        }
        if (frame.kind == Kind::Node)
            nodeAttributes(frame.scope, before);
        if (frame.kind == Kind::Property)
            property(frame, parentScope, before);
        m_stack.append(std::move(frame));
    }

    int topScope() {
        const QString about =
            m_reader.attributes().value(rdfNamespace, QLatin1String("about")).toString();
        if (!m_topScopes.contains(about))
            m_topScopes.insert(about, newScope());
        return m_topScopes.value(about);
    }

    // A node's attributes other than RDF's own are properties of it.
    void nodeAttributes(int scope, qsizetype before) {
        for (const QXmlStreamAttribute &a : m_reader.attributes()) {
            if (isSyntax(a))
                continue;
            const QString key = keyOf(a.namespaceUri(), a.name());
            const QString value = a.value().toString();
            if (!m_scopes[scope].contains(key)) {
                m_scopes[scope].insert(key, value);
                continue;
            }
            if (const std::optional<Cut> cut =
                    attributeIn(m_packet, before, m_reader.characterOffset(), a)) {
                cuts.append(*cut);
                noteDifference(m_scopes[scope].value(key), value, a.qualifiedName());
            }
        }
    }

    void property(Frame &frame, int scope, qsizetype before) {
        frame.start = before;
        frame.contentStart = m_reader.characterOffset();
        frame.name = m_reader.qualifiedName().toString();
        frame.attributes = attributesOf(m_reader);
        frame.structure =
            m_reader.attributes().value(rdfNamespace, QLatin1String("parseType")) == u"Resource";
        if (frame.structure)
            frame.scope = newScope();
        const bool item = m_reader.namespaceUri() == rdfNamespace && m_reader.name() == u"li";
        if (item || scope < 0)
            return;
        frame.key = keyOf(m_reader.namespaceUri(), m_reader.name());
        frame.repeated = m_scopes[scope].contains(frame.key);
        if (!frame.repeated)
            m_scopes[scope].insert(frame.key, QString());
        frame.parentScope = scope;
    }

    void end(qsizetype before) {
        const Frame frame = m_stack.takeLast();
        if (frame.kind == Kind::Rdf)
            m_rdfDone = true;
        if (frame.kind != Kind::Property || frame.key.isEmpty())
            return;
        const int scope = frame.parentScope;
        const QString value = valueOf(frame, m_packet, before);
        if (!frame.repeated) {
            m_scopes[scope].insert(frame.key, value);
            return;
        }
        cuts.append({frame.start, m_reader.characterOffset()});
        noteDifference(m_scopes[scope].value(frame.key), value, frame.name);
    }

    void noteDifference(const QString &kept, const QString &dropped, QStringView name) {
        if (kept == dropped || m_differing.contains(name.toString()))
            return;
        m_differing.insert(name.toString());
        differing.append(name.toString());
    }

    const QString &m_packet;
    QXmlStreamReader m_reader;
    QList<Frame> m_stack;
    QList<QHash<QString, QString>> m_scopes;
    QHash<QString, int> m_topScopes;
    QSet<QString> m_differing;
    bool m_rdfDone = false;
};

} // namespace

std::optional<RepairedXmp> withoutRepeatedProperties(const std::string &packet) {
    const QString text = QString::fromStdString(packet);
    Repair repair(text);
    if (!repair.run() || repair.cuts.isEmpty())
        return std::nullopt;
    std::sort(repair.cuts.begin(), repair.cuts.end(),
              [](const Cut &a, const Cut &b) { return a.from < b.from; });
    QString repaired;
    repaired.reserve(text.size());
    qsizetype kept = 0;
    for (const Cut &cut : std::as_const(repair.cuts)) {
        if (cut.from < kept)
            continue;
        repaired += QStringView(text).sliced(kept, cut.from - kept);
        kept = cut.to;
    }
    repaired += QStringView(text).sliced(kept);
    return RepairedXmp{repaired.toStdString(), repair.differing};
}

} // namespace pelmora
