#include "JetDialect.h"

#include "DbError.h"
#include "Format.h"

#include <QList>
#include <utility>

namespace JetDialect {
namespace {

enum class Kind { Space, Word, Number, String, Date, Param, Open, Close, Comma, Other };

struct Token {
    Kind kind;
    QString text;
};

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

QList<Token> tokenize(const QString& s) {
    QList<Token> out;
    const qsizetype n = s.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s[i];
        const qsizetype start = i;
        if (c.isSpace()) {
            while (i < n && s[i].isSpace())
                ++i;
            out.append({Kind::Space, s.mid(start, i - start)});
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Both quote kinds are string literals in Jet; a doubled quote stands for one.
            QString value;
            ++i;
            for (;;) {
                if (i >= n)
                    throw DbError(QStringLiteral("SQL 语句中的字符串没有结束：%1").arg(s));
                if (s[i] == c) {
                    if (i + 1 < n && s[i + 1] == c) {
                        value += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += s[i++];
            }
            out.append({Kind::String, quoted(value)});
        } else if (c == QLatin1Char('#')) {
            const qsizetype close = s.indexOf(QLatin1Char('#'), i + 1);
            if (close < 0)
                throw DbError(QStringLiteral("SQL 语句中的日期没有结束：%1").arg(s));
            out.append({Kind::Date, s.mid(i + 1, close - i - 1)});
            i = close + 1;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = s.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0)
                throw DbError(QStringLiteral("SQL 语句中的名称没有结束：%1").arg(s));
            i = close + 1;
            out.append({Kind::Word, s.mid(start, i - start)});
        } else if (c == QLatin1Char(':') && i + 1 < n && isWordChar(s[i + 1])) {
            ++i;
            while (i < n && isWordChar(s[i]))
                ++i;
            out.append({Kind::Param, s.mid(start, i - start)});
        } else if (c.isDigit()) {
            while (i < n && (s[i].isDigit() || s[i] == QLatin1Char('.')))
                ++i;
            out.append({Kind::Number, s.mid(start, i - start)});
        } else if (isWordChar(c)) {
            while (i < n && isWordChar(s[i]))
                ++i;
            out.append({Kind::Word, s.mid(start, i - start)});
        } else {
            ++i;
            const Kind k = c == QLatin1Char('(')   ? Kind::Open
                           : c == QLatin1Char(')') ? Kind::Close
                           : c == QLatin1Char(',') ? Kind::Comma
                                                   : Kind::Other;
            out.append({k, QString(c)});
        }
    }
    return out;
}

bool isWord(const Token& t, const char* word) {
    return t.kind == Kind::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

class Translator {
public:
    Translator(const QList<Token>& tokens, const QString& source) : t(tokens), src(source) {}

    QString run(bool dropFinalOrder) {
        m_dropFinalOrder = dropFinalOrder;
        return range(0, t.size());
    }

private:
    const QList<Token>& t;
    const QString& src;
    bool m_dropFinalOrder = false; // for the outermost statement only

    qsizetype nextSolid(qsizetype i, qsizetype end) const {
        while (i < end && t[i].kind == Kind::Space)
            ++i;
        return i;
    }

    qsizetype matchingClose(qsizetype open, qsizetype end) const {
        int depth = 0;
        for (qsizetype i = open; i < end; ++i) {
            if (t[i].kind == Kind::Open)
                ++depth;
            else if (t[i].kind == Kind::Close && --depth == 0)
                return i;
        }
        throw DbError(QStringLiteral("SQL 语句中的括号不配对：%1").arg(src));
    }

    // Splits [begin, end) at top-level occurrences of a separator; returns the separator positions.
    QList<qsizetype> topLevel(qsizetype begin, qsizetype end, auto isSeparator) const {
        QList<qsizetype> at;
        for (qsizetype i = begin; i < end; ++i) {
            if (t[i].kind == Kind::Open)
                i = matchingClose(i, end);
            else if (isSeparator(i))
                at.append(i);
        }
        return at;
    }

    // A run of tokens at one parenthesis level: split into union members, each translated on its own.
    QString range(qsizetype begin, qsizetype end) {
        const bool dropLastOrder = std::exchange(m_dropFinalOrder, false);
        const auto unions = topLevel(begin, end, [&](qsizetype i) { return isWord(t[i], "union"); });
        if (unions.isEmpty())
            return member(begin, end, dropLastOrder);
        QString out;
        qsizetype from = begin;
        for (qsizetype u : unions) {
            out += member(from, u, true);
            out += t[u].text;
            from = u + 1;
        }
        return out + member(from, end, dropLastOrder);
    }

    // One select (or any statement). A union member that is not the last loses its order clause:
    // the engine allows one order for the whole union, and the last member's order is that one.
    QString member(qsizetype begin, qsizetype end, bool dropOrder) {
        if (dropOrder) {
            const auto orders = topLevel(begin, end, [&](qsizetype i) {
                return isWord(t[i], "order") && isWord(t[nextSolid(i + 1, end)], "by");
            });
            if (!orders.isEmpty())
                end = orders.first();
        }
        QString out;
        QString limit;
        for (qsizetype i = begin; i < end; ++i) {
            const Token& tok = t[i];
            switch (tok.kind) {
            case Kind::Date:
                out += dateLiteral(tok.text);
                break;
            case Kind::Open: {
                const qsizetype close = matchingClose(i, end);
                out += QLatin1Char('(') + range(i + 1, close) + QLatin1Char(')');
                i = close;
                break;
            }
            case Kind::Word: {
                const qsizetype next = nextSolid(i + 1, end);
                if (isWord(tok, "true")) {
                    out += QStringLiteral("-1");
                } else if (isWord(tok, "false")) {
                    out += QStringLiteral("0");
                } else if (isWord(tok, "delete") && next < end && t[next].text == QLatin1String("*")) {
                    out += tok.text;
                    i = next; // the space after "*" is kept
                } else if (isWord(tok, "select") && next < end && isWord(t[next], "top")) {
                    const qsizetype count = nextSolid(next + 1, end);
                    if (count >= end || t[count].kind != Kind::Number)
                        throw DbError(QStringLiteral("SQL 语句中 top 后面缺少数目：%1").arg(src));
                    limit = t[count].text;
                    out += tok.text;
                    i = count;
                } else if ((isWord(tok, "iif") || isWord(tok, "isnull")) && next < end && t[next].kind == Kind::Open) {
                    const qsizetype close = matchingClose(next, end);
                    out += isWord(tok, "iif") ? iif(next, close) : isNull(next, close);
                    i = close;
                } else {
                    out += tok.text;
                }
                break;
            }
            case Kind::Other:
                // Jet has no comments: keep two minus signs from reading as one.
                if (tok.text == QLatin1String("-") && out.endsWith(QLatin1Char('-')))
                    out += QLatin1Char(' ');
                out += tok.text;
                break;
            default:
                out += tok.text;
            }
        }
        if (!limit.isEmpty()) {
            while (out.endsWith(QLatin1Char(' ')) || out.endsWith(QLatin1Char(';')))
                out.chop(1);
            out += QStringLiteral(" limit ") + limit + QLatin1Char(' ');
        }
        return out;
    }

    QList<QString> arguments(qsizetype open, qsizetype close) {
        QList<QString> args;
        qsizetype from = open + 1;
        for (qsizetype c : topLevel(open + 1, close, [&](qsizetype i) { return t[i].kind == Kind::Comma; })) {
            args.append(range(from, c));
            from = c + 1;
        }
        args.append(range(from, close));
        return args;
    }

    QString iif(qsizetype open, qsizetype close) {
        const auto a = arguments(open, close);
        if (a.size() != 3)
            throw DbError(QStringLiteral("iif 需要三个参数：%1").arg(src));
        return QStringLiteral("(case when %1 then %2 else %3 end)").arg(a[0].trimmed(), a[1].trimmed(), a[2].trimmed());
    }

    QString isNull(qsizetype open, qsizetype close) {
        const auto a = arguments(open, close);
        if (a.size() != 1)
            throw DbError(QStringLiteral("IsNull 需要一个参数：%1").arg(src));
        return QStringLiteral("(%1 is null)").arg(a[0].trimmed());
    }

    QString dateLiteral(const QString& text) const {
        const QDate d = Format::parseDate(text);
        if (!d.isValid())
            throw DbError(QStringLiteral("“%1”不是有效的日期").arg(text));
        return QLatin1Char('\'') + Format::isoDate(d) + QLatin1Char('\'');
    }
};

} // namespace

QString translate(const QString& jet, Target) {
    const auto tokens = tokenize(jet);
    return Translator(tokens, jet).run(false);
}

QString translateUnordered(const QString& jet, Target) {
    const auto tokens = tokenize(jet);
    return Translator(tokens, jet).run(true);
}

QString quoted(const QString& text) {
    QString s = text;
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

} // namespace JetDialect
