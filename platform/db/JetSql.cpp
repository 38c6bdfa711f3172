#include "platform/db/JetSql.h"

#include <QList>
#include <QRegularExpression>

namespace lumo::db {

namespace {

enum class Kind { Space, Word, Number, Text, Open, Close, Comma, Other };

struct Token {
    Kind kind;
    QString text;
    bool is(const char* keyword) const {
        return kind == Kind::Word && text.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
    }
};

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Length of a quoted run starting at i, doubled quotes included; an unclosed
// quote runs to the end.
qsizetype quotedLength(const QString& s, qsizetype i, QChar quote) {
    qsizetype j = i + 1;
    while (j < s.size()) {
        if (s[j] == quote) {
            if (j + 1 < s.size() && s[j + 1] == quote) {
                j += 2;
                continue;
            }
            return j + 1 - i;
        }
        ++j;
    }
    return s.size() - i;
}

Token lexOne(const QString& s, qsizetype i) {
    const QChar c = s[i];
    qsizetype j = i + 1;
    Kind kind = Kind::Other;
    if (c.isSpace()) {
        while (j < s.size() && s[j].isSpace())
            ++j;
        kind = Kind::Space;
    } else if (c == u'\'' || c == u'"') {
        j = i + quotedLength(s, i, c);
        kind = Kind::Text;
    } else if (c == u'[') {
        while (j < s.size() && s[j] != u']')
            ++j;
        j = qMin(j + 1, s.size());
        kind = Kind::Word;
    } else if (c.isDigit()) {
        while (j < s.size() && (s[j].isDigit() || s[j] == u'.'))
            ++j;
        kind = Kind::Number;
    } else if (isWordChar(c)) {
        while (j < s.size() && isWordChar(s[j]))
            ++j;
        kind = Kind::Word;
    } else if (c == u'(') {
        kind = Kind::Open;
    } else if (c == u')') {
        kind = Kind::Close;
    } else if (c == u',') {
        kind = Kind::Comma;
    } else if ((c == u'<' || c == u'>' || c == u'!') && j < s.size() && (s[j] == u'=' || s[j] == u'>')) {
        ++j;
    }
    return Token{kind, s.mid(i, j - i)};
}

QList<Token> lex(const QString& s) {
    QList<Token> tokens;
    for (qsizetype i = 0; i < s.size();) {
        tokens.append(lexOne(s, i));
        i += tokens.last().text.size();
    }
    return tokens;
}

QString join(const QList<Token>& tokens) {
    QString out;
    for (const Token& t : tokens)
        out += t.text;
    return out;
}

void erase(Token& t) {
    t.kind = Kind::Space;
    t.text.clear();
}

// Index of the next token that is not blank, or tokens.size().
qsizetype nextSolid(const QList<Token>& tokens, qsizetype i) {
    while (i < tokens.size() && tokens[i].kind == Kind::Space)
        ++i;
    return i;
}

qsizetype previousSolid(const QList<Token>& tokens, qsizetype i) {
    while (i >= 0 && tokens[i].kind == Kind::Space)
        --i;
    return i;
}

void eraseBlanks(QList<Token>& tokens, qsizetype from, qsizetype to) {
    for (qsizetype k = from; k < to; ++k)
        if (tokens[k].kind == Kind::Space)
            erase(tokens[k]);
}

// Jet's "text" literals are strings; SQLite would first take them for names.
void rewriteDoubleQuotes(QList<Token>& tokens) {
    for (Token& t : tokens) {
        if (t.kind != Kind::Text || !t.text.startsWith(u'"'))
            continue;
        QString inner = t.text.mid(1, t.text.size() - (t.text.endsWith(u'"') && t.text.size() > 1 ? 2 : 1));
        inner.replace(QLatin1String("\"\""), QLatin1String("\""));
        t.text = QuoteText(inner);
    }
}

// "x = ANY (" and "x <> ALL (" become IN and NOT IN.
void rewriteQuantified(QList<Token>& tokens) {
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const bool any = tokens[i].is("ANY") || tokens[i].is("SOME");
        if (!any && !tokens[i].is("ALL"))
            continue;
        const qsizetype op = previousSolid(tokens, i - 1);
        const qsizetype paren = nextSolid(tokens, i + 1);
        if (op < 0 || paren >= tokens.size() || tokens[paren].kind != Kind::Open)
            continue;
        const QString& opText = tokens[op].text;
        const bool in = any && opText == QLatin1String("=");
        const bool notIn = !any && (opText == QLatin1String("<>") || opText == QLatin1String("!="));
        if (!in && !notIn)
            continue;
        eraseBlanks(tokens, previousSolid(tokens, op - 1) + 1, op);
        eraseBlanks(tokens, op + 1, paren);
        tokens[op].text = in ? QStringLiteral(" IN ") : QStringLiteral(" NOT IN ");
        erase(tokens[i]);
    }
}

// End of the clause or statement that starts at i: the index of the closing
// parenthesis of the enclosing level, of a stop word at this level, or the end.
qsizetype scopeEnd(const QList<Token>& tokens, qsizetype i, bool stopAtComma, bool stopAtLimit) {
    int depth = 0;
    for (; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Kind::Open) {
            ++depth;
        } else if (t.kind == Kind::Close) {
            if (depth-- == 0)
                return i;
        } else if (depth == 0) {
            if (stopAtComma && t.kind == Kind::Comma)
                return i;
            if (t.text == QLatin1String(";"))
                return i;
            if (stopAtLimit && (t.is("LIMIT") || t.is("OFFSET") || t.is("UNION")))
                return i;
        }
    }
    return i;
}

// Appends COLLATE CS to the ORDER BY term [from, to), before ASC or DESC.
void collateTerm(QList<Token>& tokens, qsizetype from, qsizetype to) {
    int depth = 0;
    for (qsizetype k = from; k < to; ++k) {
        depth += tokens[k].kind == Kind::Open ? 1 : tokens[k].kind == Kind::Close ? -1 : 0;
        if (depth == 0 && tokens[k].is("COLLATE"))
            return;
    }
    qsizetype last = previousSolid(tokens, to - 1);
    if (last < from)
        return;
    if (tokens[last].is("ASC") || tokens[last].is("DESC"))
        last = previousSolid(tokens, last - 1);
    if (last < from)
        return;
    // Key columns (Idx, IdxByliny, b.Idx, ...) are integers: a collation cannot change
    // their order and would only stop the engine from reading them through their index.
    QString term;
    for (qsizetype k = from; k <= last; ++k)
        term += tokens[k].kind == Kind::Space ? QString() : tokens[k].text;
    static const QRegularExpression keyColumn(QStringLiteral("^(\\w+\\.)?Idx\\w*$"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (keyColumn.match(term).hasMatch())
        return;
    tokens[last].text += QStringLiteral(" COLLATE CS");
}

void rewriteOrderBy(QList<Token>& tokens) {
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!tokens[i].is("ORDER"))
            continue;
        const qsizetype by = nextSolid(tokens, i + 1);
        if (by >= tokens.size() || !tokens[by].is("BY"))
            continue;
        const qsizetype clauseEnd = scopeEnd(tokens, by + 1, false, true);
        qsizetype termStart = by + 1;
        while (termStart < clauseEnd) {
            const qsizetype termEnd = qMin(scopeEnd(tokens, termStart, true, true), clauseEnd);
            collateTerm(tokens, termStart, termEnd);
            termStart = termEnd + 1;
        }
        i = clauseEnd;
    }
}

// "SELECT [DISTINCT] TOP n ..." ends with LIMIT n instead.
void rewriteTop(QList<Token>& tokens) {
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!tokens[i].is("TOP"))
            continue;
        qsizetype before = previousSolid(tokens, i - 1);
        if (before >= 0 && (tokens[before].is("DISTINCT") || tokens[before].is("ALL")))
            before = previousSolid(tokens, before - 1);
        const qsizetype count = nextSolid(tokens, i + 1);
        if (before < 0 || !tokens[before].is("SELECT") || count >= tokens.size() ||
            tokens[count].kind != Kind::Number)
            continue;
        const QString limit = QStringLiteral(" LIMIT ") + tokens[count].text;
        const qsizetype end = scopeEnd(tokens, count + 1, false, false);
        const qsizetype last = previousSolid(tokens, end - 1);
        erase(tokens[i]);
        eraseBlanks(tokens, i + 1, nextSolid(tokens, count + 1));
        erase(tokens[count]);
        tokens[last > count ? last : count].text += limit;
    }
}

QString bareName(const QString& word) {
    if (word.startsWith(u'[') && word.endsWith(u']'))
        return word.mid(1, word.size() - 2);
    return word;
}

bool endsFromList(const Token& t) {
    static const char* const stops[] = {"WHERE", "GROUP", "ORDER", "HAVING", "UNION", "LIMIT"};
    for (const char* s : stops)
        if (t.is(s))
            return true;
    return t.text == QLatin1String(";");
}

bool isJoinWord(const Token& t) {
    static const char* const words[] = {"JOIN", "INNER", "LEFT", "RIGHT", "OUTER", "ON", "CROSS"};
    for (const char* w : words)
        if (t.is(w))
            return true;
    return false;
}

// One "column = literal" term of an OR chain, from its first token.
struct EqualityTerm {
    QString column; // as written, qualifier included
    QString value;
    qsizetype end = -1; // one past the literal
};

EqualityTerm equalityAt(const QList<Token>& tokens, qsizetype i) {
    EqualityTerm term;
    if (i >= tokens.size() || tokens[i].kind != Kind::Word)
        return term;
    qsizetype k = i;
    term.column = tokens[k].text;
    if (k + 2 < tokens.size() && tokens[k + 1].text == QLatin1String(".") &&
        tokens[k + 2].kind == Kind::Word) {
        term.column += u'.' + tokens[k + 2].text;
        k += 2;
    }
    const qsizetype eq = nextSolid(tokens, k + 1);
    if (eq >= tokens.size() || tokens[eq].text != QLatin1String("="))
        return term;
    qsizetype lit = nextSolid(tokens, eq + 1);
    if (lit < tokens.size() &&
        (tokens[lit].text == QLatin1String("-") || tokens[lit].text == QLatin1String("+")) &&
        lit + 1 < tokens.size() && tokens[lit + 1].kind == Kind::Number) {
        term.value = tokens[lit].text + tokens[lit + 1].text;
        term.end = lit + 2;
    } else if (lit < tokens.size() && (tokens[lit].kind == Kind::Number || tokens[lit].kind == Kind::Text)) {
        term.value = tokens[lit].text;
        term.end = lit + 1;
    }
    return term;
}

// Tokens an OR operand may follow or precede without a tighter operator
// (AND, NOT, a comparison) binding part of it.
bool opensOperand(const QList<Token>& tokens, qsizetype i) {
    if (i < 0)
        return true;
    const Token& t = tokens[i];
    return t.kind == Kind::Open || t.kind == Kind::Comma || t.is("WHERE") || t.is("OR") || t.is("ON") ||
           t.is("HAVING") || t.is("WHEN");
}

bool closesOperand(const QList<Token>& tokens, qsizetype i) {
    if (i >= tokens.size())
        return true;
    const Token& t = tokens[i];
    return t.kind == Kind::Close || t.kind == Kind::Comma || t.text == QLatin1String(";") || t.is("OR") ||
           t.is("ORDER") || t.is("GROUP") || t.is("HAVING") || t.is("LIMIT") || t.is("UNION") || t.is("THEN");
}

// "x=1 OR x=2 OR x=3" becomes "x IN (1,2,3)": the engine refuses an expression
// tree deeper than 1000, which a long OR chain of one column's values is.
void collapseOrChains(QList<Token>& tokens) {
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (!opensOperand(tokens, previousSolid(tokens, i - 1)))
            continue;
        EqualityTerm first = equalityAt(tokens, i);
        if (first.end < 0)
            continue;
        QStringList values{first.value};
        qsizetype end = first.end;
        for (;;) {
            const qsizetype orAt = nextSolid(tokens, end);
            if (orAt >= tokens.size() || !tokens[orAt].is("OR"))
                break;
            const EqualityTerm next = equalityAt(tokens, nextSolid(tokens, orAt + 1));
            if (next.end < 0 || next.column.compare(first.column, Qt::CaseInsensitive) != 0)
                break;
            values.append(next.value);
            end = next.end;
        }
        if (values.size() < 2 || !closesOperand(tokens, nextSolid(tokens, end)))
            continue;
        for (qsizetype k = i; k < end; ++k)
            erase(tokens[k]);
        tokens[i].kind = Kind::Other;
        tokens[i].text = first.column + QStringLiteral(" IN (") + values.join(u',') + u')';
        i = end - 1;
    }
}

// Chains of more operands than this are nested; shorter ones, every statement the readers
// write among them, stay as written.
constexpr qsizetype kLongChain = 200;
constexpr qsizetype kGroup = 64;

bool endsSegment(const Token& t) {
    static const char* const words[] = {"SELECT", "FROM",   "WHERE", "GROUP", "ORDER", "HAVING",
                                        "LIMIT",  "OFFSET", "UNION", "ON",    "JOIN",  "CASE",
                                        "WHEN",   "THEN",   "ELSE",  "END"};
    if (t.kind == Kind::Comma || t.text == QLatin1String(";"))
        return true;
    for (const char* w : words)
        if (t.is(w))
            return true;
    return false;
}

struct Operand {
    qsizetype first; // first and last token that is not blank
    qsizetype last;
};

// Parentheses around operands [lo, hi), nested so that no chain is longer than kGroup.
void nest(QList<Token>& tokens, const QList<Operand>& operands, qsizetype lo, qsizetype hi) {
    const qsizetype n = hi - lo;
    if (n > kGroup) {
        const qsizetype chunk = (n + kGroup - 1) / kGroup;
        for (qsizetype from = lo; from < hi; from += chunk)
            nest(tokens, operands, from, qMin(from + chunk, hi));
    }
    if (n > 1) {
        tokens[operands[lo].first].text.prepend(u'(');
        tokens[operands[hi - 1].last].text.append(u')');
    }
}

qsizetype closingParen(const QList<Token>& tokens, qsizetype open, qsizetype to) {
    int depth = 0;
    for (qsizetype k = open; k < to; ++k) {
        depth += tokens[k].kind == Kind::Open ? 1 : tokens[k].kind == Kind::Close ? -1 : 0;
        if (depth == 0)
            return k;
    }
    return to;
}

// The operator's operands in [from, to) at this level; empty when an operand is missing.
// The AND of "x BETWEEN a AND b" belongs to the BETWEEN.
QList<Operand> operandsOf(const QList<Token>& tokens, qsizetype from, qsizetype to, const char* op) {
    QList<Operand> operands;
    qsizetype start = from;
    int betweens = 0;
    for (qsizetype k = from; k <= to; ++k) {
        if (k < to && tokens[k].kind == Kind::Open) {
            k = closingParen(tokens, k, to);
            continue;
        }
        if (k < to && tokens[k].is("BETWEEN"))
            ++betweens;
        if (k < to && tokens[k].is("AND") && betweens > 0) {
            --betweens;
            continue;
        }
        if (k < to && !tokens[k].is(op))
            continue;
        const qsizetype first = nextSolid(tokens, start);
        const qsizetype last = previousSolid(tokens, k - 1);
        if (first >= k || last < start)
            return {};
        operands.append(Operand{first, last});
        start = k + 1;
    }
    return operands;
}

// A long chain of OR (or, inside one OR operand, of AND) is nested into balanced groups: the
// engine refuses an expression tree deeper than 1000. AND and OR are associative, so the
// rows are the same.
void balanceChain(QList<Token>& tokens, qsizetype from, qsizetype to, const char* op) {
    const QList<Operand> operands = operandsOf(tokens, from, to, op);
    if (operands.size() > kLongChain)
        nest(tokens, operands, 0, operands.size());
    if (QLatin1String(op) != QLatin1String("OR"))
        return;
    for (const Operand& o : operands)
        balanceChain(tokens, o.first, o.last + 1, "AND");
}

void balanceLongChains(QList<Token>& tokens, qsizetype from, qsizetype to) {
    qsizetype segment = from;
    for (qsizetype k = from; k <= to; ++k) {
        if (k < to && tokens[k].kind == Kind::Open) {
            const qsizetype close = closingParen(tokens, k, to);
            balanceLongChains(tokens, k + 1, close);
            k = close;
            continue;
        }
        if (k < to && !endsSegment(tokens[k]))
            continue;
        balanceChain(tokens, segment, k, "OR");
        segment = k + 1;
    }
}

} // namespace

QString TranslateJetSql(const QString& sql) {
    QList<Token> tokens = lex(sql);
    for (Token& t : tokens)
        if (t.is("DISTINCTROW"))
            t.text = QStringLiteral("DISTINCT");
    rewriteDoubleQuotes(tokens);
    rewriteQuantified(tokens);
    collapseOrChains(tokens);
    rewriteOrderBy(tokens);
    rewriteTop(tokens);
    balanceLongChains(tokens, 0, tokens.size());
    return join(tokens);
}

QHash<QString, QString> FromAliases(const QString& sql) {
    const QList<Token> tokens = lex(sql);
    QHash<QString, QString> aliases;
    int depth = 0;
    qsizetype i = 0;
    for (; i < tokens.size(); ++i) {
        depth += tokens[i].kind == Kind::Open ? 1 : tokens[i].kind == Kind::Close ? -1 : 0;
        if (depth == 0 && tokens[i].is("FROM"))
            break;
    }
    bool expectTable = true;
    QString table;
    for (++i; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == Kind::Open) {
            // A subquery or a parenthesised join: skip it whole.
            i = scopeEnd(tokens, i + 1, false, false);
            expectTable = false;
            continue;
        }
        if (t.kind == Kind::Close || endsFromList(t))
            break;
        if (t.kind == Kind::Comma || t.is("JOIN")) {
            expectTable = true;
            continue;
        }
        if (t.kind != Kind::Word || isJoinWord(t))
            continue;
        if (expectTable) {
            table = bareName(t.text);
            aliases.insert(table.toLower(), table);
            expectTable = false;
        } else if (!table.isEmpty() && !t.is("AS")) {
            aliases.insert(table.toLower(), bareName(t.text));
            table.clear();
        }
    }
    return aliases;
}

QString QuoteText(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1String("'"), QLatin1String("''"));
    return u'\'' + quoted + u'\'';
}

QString LikeEscape(const QString& text, QChar escape) {
    QString out;
    out.reserve(text.size() + 4);
    for (QChar c : text) {
        if (c == u'%' || c == u'_' || c == escape)
            out += escape;
        out += c;
    }
    return out;
}

} // namespace lumo::db
