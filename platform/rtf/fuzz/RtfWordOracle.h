#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

class QTextDocument;

// Documents generated from known words, so that a reading can be checked word by word:
// every word outside a skipped destination must come back, in order, and no word from
// inside one (or from after the document's end) may show.
namespace lumo::rtf::fuzz {

// Choices for the generator: the fuzzer's bytes first, then a generator seeded from them.
class ChoiceSource {
public:
    ChoiceSource(const std::uint8_t* data, std::size_t size);
    explicit ChoiceSource(std::uint64_t seed) : m_state(seed) {}

    // A number from 0 to n - 1.
    unsigned pick(unsigned n);
    bool chance(unsigned inHundred) { return pick(100) < inHundred; }

private:
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_pos = 0;
    std::uint64_t m_state = 0;
};

struct OracleDocument {
    QString rtf;       // as the reader gets it: 7-bit RTF, literal bytes decoded as Windows-1250
    QStringList words; // the words a reading must give, in order
};

OracleDocument GenerateOracleDocument(ChoiceSource& choices);

// The document's words (split at any blank).
QStringList WordsOf(const QTextDocument& doc);

// Empty when the reading holds exactly the expected words; otherwise where it differs.
QString CompareWords(const QStringList& expected, const QStringList& read);

} // namespace lumo::rtf::fuzz
