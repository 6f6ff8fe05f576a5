// A user-interface host for tests: records what the core showed and answers as scripted.
#include "support/TestUi.h"

namespace tess::test {

ErrorChoice TestUi::ErrorBox(const std::string& text) {
    errors.push_back(text);
    if (errorAnswers.empty()) return ErrorChoice::Retry;
    const ErrorChoice answer = errorAnswers.front();
    errorAnswers.pop_front();
    return answer;
}

Answer TestUi::MessageBox(const std::string& text, Buttons buttons) {
    messages.push_back(text);
    if (messageAnswers.empty()) return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    const Answer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

void TestUi::SetCaption(const std::string& text) {
    captions.push_back(text);
}

void TestUi::Reset() {
    errorAnswers.clear();
    messageAnswers.clear();
    errors.clear();
    messages.clear();
    captions.clear();
    beeps = 0;
}

}  // namespace tess::test
