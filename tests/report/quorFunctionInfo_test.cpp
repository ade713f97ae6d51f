#include "report/quorDisAsm.h"
#include <gtest/gtest.h>
TEST(Dummy2, X) {}
