#include "platform/user_prompts.h"

WaitCursor::WaitCursor(UserPrompts& prompts) : prompts_(prompts)
{
    prompts_.BeginWaitCursor();
}

WaitCursor::~WaitCursor()
{
    prompts_.EndWaitCursor();
}
