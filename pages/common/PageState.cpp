// The module's page state.
#include "PageState.h"

PageState &PageState::module()
{
    static PageState state;
    return state;
}
