#include "model/DefaultAuthor.h"

std::string g_DefaultDoneBy;
