#include "RunQuestions.h"

namespace halosoil {

const char* QuestionText(RunQuestion question) {
    return question == RunQuestion::RefineDrainageCapacity ? kRefineQuestion : kOptimiseQuestion;
}

}  // namespace halosoil
