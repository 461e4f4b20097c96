/* The version of both programs, for their version records. Keep it the one in project() of
   CMakeLists.txt; make test checks the packed programs against it. Plain preprocessor
   definitions only: the resource compiler reads this file. */
#pragma once

#define SENDLARK_VERSION 0, 1, 0, 2
#define SENDLARK_VERSION_TEXT "0.01.0002"
