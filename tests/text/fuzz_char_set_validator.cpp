// fuzz_char_set_validator.cpp: random UTF-16 text through every character set; whatever fixup leaves must
// be acceptable.
#include "kvgui_char_set_validator.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

// The ten sets and one value that is none of them.
const TCharSetValidator::TCharSet Sets[] = { TCharSetValidator::CHAR_SET_RADIOTELEX, TCharSetValidator::CHAR_SET_INM_C_5BIT,
    TCharSetValidator::CHAR_SET_ASCII, TCharSetValidator::CHAR_SET_UNICODE, TCharSetValidator::CHAR_SET_DIGIT,
    TCharSetValidator::CHAR_SET_DIGIT_PLUS, TCharSetValidator::CHAR_SET_INM_C_7BIT_CYRILLIC,
    TCharSetValidator::CHAR_SET_INM_C_8BIT_CYRILLIC_CP866, TCharSetValidator::CHAR_SET_INM_C_8BIT_CYRILLIC_CP1251,
    TCharSetValidator::CHAR_SET_RADIOTELEX_CYRILLIC, TCharSetValidator::TCharSet(3) };

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qInstallMessageHandler(quiet);
    // Qt 6 gives a key event the application's keyboard device, made on first use as the
    // application's child; without an application it would outlive the leak check.
    new QCoreApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Code units little-endian; the second byte of an odd-sized input's last pair is 0, so ASCII is common.
    QString text;
    for (size_t i = 0; i < size; i += 2)
        text.append(QChar(ushort(data[i] | (i + 1 < size ? data[i + 1] << 8 : 0))));

    // One validator per set, built once: compiling the expressions would dominate every run.
    static std::vector<std::unique_ptr<TCharSetValidator>> validators;
    if (validators.empty()) {
        for (TCharSetValidator::TCharSet set : Sets)
            validators.emplace_back(new TCharSetValidator(set, nullptr));
    }
    for (const auto &validator : validators) {
        QString input = text;
        validator->fixup(input);
        int pos = 0;
        if (validator->validate(input, pos) != QValidator::Acceptable || input.size() > text.size())
            __builtin_trap();
    }
    QKeyEvent event(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, text.left(2));
    TCharSetValidator::isCyrillicKey(&event);
    return 0;
}
