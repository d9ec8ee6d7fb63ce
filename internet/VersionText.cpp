#include "internet/VersionText.h"

#include <cmath>

namespace internet {

std::string ownVersionText() {
    return std::to_string(kOwnMajor) + "." + std::to_string(kOwnMinor) + "." + std::to_string(kOwnRevision);
}

double ownVersionValue() { return kOwnMajor * 100000.0 + kOwnMinor * 1000.0 + kOwnRevision; }

double leadingNumber(const std::string& text) {
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') s += c;
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    double value = 0;
    bool digits = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        value = value * 10 + (s[i++] - '0');
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            value += (s[i++] - '0') * scale;
            scale /= 10;
            digits = true;
        }
    }
    if (!digits) return 0;
    // An exponent only counts when digits follow it ("1e3" is 1000, "1e" is 1).
    if (i + 1 < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (s[j] == '+' || s[j] == '-') negativeExponent = s[j++] == '-';
        int exponent = 0;
        bool exponentDigits = false;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9' && exponent < 400) {
            exponent = exponent * 10 + (s[j++] - '0');
            exponentDigits = true;
        }
        if (exponentDigits) value *= std::pow(10.0, negativeExponent ? -exponent : exponent);
    }
    return negative ? -value : value;
}

double versionValue(const std::string& versionText) {
    std::size_t first = versionText.find('.');
    std::string major = versionText.substr(0, first);
    std::string minor, revision;
    if (first != std::string::npos) {
        std::size_t second = versionText.find('.', first + 1);
        minor = versionText.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
        if (second != std::string::npos) revision = versionText.substr(second + 1);
    }
    return leadingNumber(major) * 100000 + leadingNumber(minor) * 1000 + leadingNumber(revision);
}

std::string whatsNewWithBreaks(const std::string& whatsNew) {
    std::string out = whatsNew;
    for (char& c : out)
        if (c == '~') c = '\n';
    return out;
}

std::string updateQuestion(const std::string& versionText, const std::string& whatsNew) {
    const std::string dashes(72, '-');
    std::string q = "This is version " + ownVersionText() + "\n";
    q += "An UPDATED version (" + versionText + ") is available!\n";
    q += "\n";
    if (!whatsNew.empty()) {
        q += dashes + "\n";
        q += "What's NEW in version " + versionText + "?\n";
        q += "\n";
        q += whatsNew + "\n";
        q += dashes + "\n";
    }
    q += "\n";
    q += "(Note: This version will close before installing a newer version)\n";
    q += "\n";
    q += "Would you like to download now?";
    return q;
}

std::string latestVersionText() {
    return "Lanomat Std Version " + ownVersionText() + "\nThis is the latest Version.";
}

}  // namespace internet
