#include "RichText.h"

#include <cmath>

namespace printing {

QFont twipsFont(const TextStyle& style)
{
    QFont font(style.family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(style.points * 20))));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    // Hinting would make widths depend on the size; measurement and drawing must agree.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

namespace {

// The largest size a \fs word may ask for; a larger one is taken as this.
constexpr double MaximumPoints = 500;

class Parser {
public:
    Parser(const QString& text, const TextStyle& base) : text_(text) { styles_.push_back(base); }

    std::vector<TextRun> run()
    {
        while (at_ < text_.size()) {
            const QChar c = text_[at_];
            if (c == u'{' && at_ + 1 < text_.size() && text_[at_ + 1] == u'\\' && !isEscape(at_ + 1)) {
                ++at_;
                styles_.push_back(styles_.back());
                readControlWords();
            } else if (c == u'}' && styles_.size() > 1) {
                ++at_;
                styles_.pop_back();
            } else if (c == u'\\' && isEscape(at_)) {
                append(text_[at_ + 1]);
                at_ += 2;
            } else if (c == u'\\' && at_ + 1 < text_.size() && text_[at_ + 1].isLetter()) {
                // Control words inside a group's text change the group's style.
                readControlWords();
            } else {
                append(c);
                ++at_;
            }
        }
        return std::move(runs_);
    }

private:
    bool isEscape(qsizetype at) const
    {
        if (at + 1 >= text_.size())
            return false;
        const QChar next = text_[at + 1];
        return next == u'{' || next == u'}' || next == u'\\';
    }

    // Reads "\word[number]" repeatedly, then the one blank that ends them.
    void readControlWords()
    {
        while (at_ < text_.size() && text_[at_] == u'\\' && at_ + 1 < text_.size() && text_[at_ + 1].isLetter()) {
            ++at_;
            QString word;
            while (at_ < text_.size() && text_[at_].isLetter() && word.size() < 32)
                word += text_[at_++];
            QString digits;
            if (at_ < text_.size() && text_[at_] == u'-')
                digits += text_[at_++];
            while (at_ < text_.size() && text_[at_].isDigit() && digits.size() < 9)
                digits += text_[at_++];
            apply(word, digits);
        }
        if (at_ < text_.size() && text_[at_] == u' ')
            ++at_;
    }

    void apply(const QString& word, const QString& digits)
    {
        TextStyle& style = styles_.back();
        const bool off = digits == QStringLiteral("0");
        if (word == QStringLiteral("b"))
            style.bold = !off;
        else if (word == QStringLiteral("i"))
            style.italic = !off;
        else if (word == QStringLiteral("ul"))
            style.underline = !off;
        else if (word == QStringLiteral("ulnone"))
            style.underline = false;
        else if (word == QStringLiteral("fs")) {
            bool ok = false;
            const int halfPoints = digits.toInt(&ok);
            // A size of nothing or below one point would print nothing readable.
            if (ok && halfPoints >= 2)
                style.points = std::min(halfPoints / 2.0, MaximumPoints);
        }
    }

    void append(QChar c)
    {
        const TextStyle& style = styles_.back();
        if (!runs_.empty() && runs_.back().style == style)
            runs_.back().text += c;
        else
            runs_.push_back({QString(c), style});
    }

    const QString& text_;
    qsizetype at_ = 0;
    std::vector<TextStyle> styles_;
    std::vector<TextRun> runs_;
};

} // namespace

std::vector<TextRun> parseRichText(const QString& text, const TextStyle& base) { return Parser(text, base).run(); }

QString plainText(const std::vector<TextRun>& runs)
{
    QString text;
    for (const TextRun& run : runs)
        text += run.text;
    return text;
}

} // namespace printing
