#include "draw/Generator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "draw/DrawPool.h"

namespace {

using draw::DrawPool;
using draw::Generator;

TEST(Generator, OutputsAndSeedingMatchHandComputedValues) {
  Generator g;
  g.Seed(0);  // state 0, accumulator 0 + 0 + 100
  EXPECT_EQ(g.Accumulator(), 100u);
  std::vector<int> out;
  for (int i = 0; i < 4; ++i) out.push_back(g.Next());
  EXPECT_EQ(out, (std::vector<int>{38, 7719, 21238, 2437}));

  // Two seedings in the same millisecond give different states.
  Generator h;
  h.Seed(1000);
  EXPECT_EQ(h.State(), 1000u);
  EXPECT_EQ(h.Accumulator(), 332u);  // 1000 & 0xFF = 232, + 100
  h.Seed(1000);
  EXPECT_EQ(h.State(), 1332u);
  EXPECT_EQ(h.Accumulator(), 484u);  // 332 + 52 + 100
  EXPECT_EQ(h.Between(1, 30), 9);    // 1332 * 214013 + 2531011 >> 16 = 4388; 1 + 4388 % 30

  // Sums wrap modulo 2^32.
  Generator w;
  w.Seed(0xFFFFFFFFu);
  EXPECT_EQ(w.Accumulator(), 355u);
  w.Seed(0xFFFFFFFFu);
  EXPECT_EQ(w.State(), 354u);
  EXPECT_EQ(w.Accumulator(), 553u);
}

TEST(Generator, BetweenBoundRules) {
  Generator g;
  g.Seed(0);
  EXPECT_EQ(g.Between(5, 5), 5);  // no output used
  EXPECT_EQ(g.Next(), 38);

  Generator swapped;
  swapped.Seed(0);
  EXPECT_EQ(swapped.Between(10, 1), 9);  // 1 + 38 % 10

  Generator negative;
  negative.Seed(0);
  EXPECT_EQ(negative.Between(-5, 3), 2);  // 0 + 38 % 4
  EXPECT_EQ(negative.Between(-5, -1), 0);
}

TEST(GeneratorDrawPool, ThreePassesLeaveThreeNMinusTwoEntries) {
  DrawPool pool;
  for (int pass = 0; pass < 3; ++pass) {
    pool.AppendRange(4);
    if (pass < 2) pool.Take(pass == 0 ? 2 : 5);
  }
  EXPECT_EQ(pool.Size(), 3 * 4 - 2);
  // Pass 1 took 2 from [1 2 3 4]; pass 2 took entry 5 of [1 3 4 1 2 3 4], a 2.
  std::vector<int32_t> rest;
  while (pool.Size() > 0) rest.push_back(pool.Take(1));
  EXPECT_EQ(rest, (std::vector<int32_t>{1, 3, 4, 1, 3, 4, 1, 2, 3, 4}));

  DrawPool empty;
  empty.AppendRange(0);
  empty.AppendRange(-3);
  EXPECT_EQ(empty.Size(), 0);
}

TEST(GeneratorDrawPool, MatchesAPlainListUnderRandomTakes) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    DrawPool pool;
    std::vector<int32_t> plain;
    const int n = 1 + static_cast<int>(rng() % 12);
    for (int pass = 0; pass < 3; ++pass) {
      pool.AppendRange(n);
      for (int v = 1; v <= n; ++v) plain.push_back(v);
      const auto k = static_cast<int64_t>(1 + rng() % plain.size());
      ASSERT_EQ(pool.Take(k), plain[static_cast<std::size_t>(k - 1)]);
      plain.erase(plain.begin() + (k - 1));
      ASSERT_EQ(pool.Size(), static_cast<int64_t>(plain.size()));
    }
  }
}

TEST(GeneratorDrawPool, HugeHeadcountNeedsNoMemory) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  DrawPool pool;
  for (int pass = 0; pass < 3; ++pass) pool.AppendRange(kMax);
  EXPECT_EQ(pool.Size(), 3 * static_cast<int64_t>(kMax));
  EXPECT_EQ(pool.Take(pool.Size()), kMax);
  EXPECT_EQ(pool.Take(static_cast<int64_t>(kMax) + 1), 1);  // the first of the second block
  EXPECT_EQ(pool.Take(kMax), kMax);                         // the last of the first block
}

}  // namespace
