// Table-driven checks: each row runs under a trace naming it, so that a
// failure says which row without every expectation repeating the name.
#ifndef TESTS_UNIT_TABLE_CASES_H
#define TESTS_UNIT_TABLE_CASES_H

#include <gtest/gtest.h>

#include <cstddef>

// A row of the simplest tables: an input and what should come of it.
template <typename In, typename Out>
struct Row {
  In in;
  Out out;
};

// Calls check(row) for every row, traced by the row's field `name`.
template <typename Case, size_t N, typename Name, typename Check>
void ForEachCase(const Case (&cases)[N], Name Case::*name, Check check) {
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.*name));
    check(c);
  }
}

// Expects give(row.in) to equal row.out for every row.
template <typename In, typename Out, size_t N, typename Give>
void ExpectEach(const Row<In, Out> (&rows)[N], Give give) {
  ForEachCase(rows, &Row<In, Out>::in,
              [&](const Row<In, Out>& row) { EXPECT_EQ(row.out, give(row.in)); });
}

#endif
