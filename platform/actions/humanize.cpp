#include "actions/humanize.h"

#include <vector>

namespace orvo_actions::context {

namespace {

bool is_upper(char c) { return c >= 'A' && c <= 'Z'; }
bool is_lower(char c) { return c >= 'a' && c <= 'z'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_separator(char c) { return c == '_' || c == '-' || c == '.' || c == ':' || c == ' ' || c == '\t' || c == '\n'; }

bool starts_word(std::string_view text, std::size_t i)
{
    if (i == 0 || !is_upper(text[i])) return false;
    char before = text[i - 1];
    if (is_lower(before) || is_digit(before)) return true;
    // The last capital of an acronym begins the following word: "HTTPServer".
    return is_upper(before) && i + 1 < text.size() && is_lower(text[i + 1]);
}

std::vector<std::string> split_words(std::string_view text)
{
    std::vector<std::string> words;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (is_separator(c) || starts_word(text, i)) {
            if (!current.empty()) words.push_back(std::move(current));
            current.clear();
            if (is_separator(c)) continue;
        }
        current.push_back(c);
    }
    if (!current.empty()) words.push_back(std::move(current));
    return words;
}

bool is_acronym(std::string const& word)
{
    int capitals = 0;
    for (char c : word) {
        if (is_lower(c)) return false;
        if (is_upper(c)) ++capitals;
    }
    return capitals >= 2;
}

char lower(char c) { return is_upper(c) ? static_cast<char>(c - 'A' + 'a') : c; }
char upper(char c) { return is_lower(c) ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

std::string humanize_identifier(std::string_view identifier)
{
    std::string label;
    for (auto& word : split_words(identifier)) {
        if (!is_acronym(word))
            for (char& c : word) c = lower(c);
        if (label.empty()) word[0] = upper(word[0]);
        else label.push_back(' ');
        label += word;
    }
    return label;
}

} // namespace orvo_actions::context
