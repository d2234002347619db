#include "synthesis/cover.h"

#include <gtest/gtest.h>

#include "tests/support/tree_builder.h"
#include "tests/synthesis/cover_minimizer/cover_rows.h"

namespace kem {
namespace {

using cover_minimizer::Binomial;
using cover_minimizer::DeleteRow;
using cover_minimizer::LiteralCount;
using testing_support::SynthesisFixture;

TEST(Cover, PackingAndWordCounts) {
  EXPECT_EQ(WordsFor(0), 0);
  EXPECT_EQ(WordsFor(16), 1);
  EXPECT_EQ(WordsFor(17), 2);
  SynthesisFixture f;
  const std::size_t before = f.budget.in_use();
  Cover cover;
  ASSERT_TRUE(cover.Allocate(f.context, 2, 0, 24));
  cover.Bind(1);
  cover.FieldSet(1, 16, kCodeComplement);
  EXPECT_EQ(cover.Row(1)[1], 3u);  // variable 16 is field 0 of word 1
  EXPECT_EQ(cover.Row(1)[0], 0u);
  EXPECT_EQ(f.budget.in_use() - before, 2u * (2 + 1) * 4);  // slots and bodies
}

TEST(Cover, MarkersOverrideRowZero) {
  SynthesisFixture f;
  Cover cover;
  ASSERT_TRUE(cover.Allocate(f.context, 1, 0, 20));
  cover.Bind(0);
  cover.FieldSet(0, 0, kCodeTrue);
  cover.FieldSet(0, 1, kCodeComplement);
  cover.FieldSet(0, 5, kCodeTrue);
  EXPECT_EQ(cover.ConstantMarker(), 0);
  cover.SetConstantOne();
  EXPECT_EQ(cover.FieldGet(0, 0), kMarkerOne);
  EXPECT_EQ(cover.FieldGet(0, 5), kMarkerOne);  // the whole word reads as the marker
  EXPECT_EQ(cover.RawGet(0, 5), kCodeTrue);     // but keeps its field
  EXPECT_EQ(cover.ConstantMarker(), kMarkerOne);
  cover.SetConstantZero();
  EXPECT_EQ(cover.ConstantMarker(), kMarkerZero);
  EXPECT_EQ(LiteralCount(cover, 0, 20), 16);
}

TEST(Cover, RowZeroCountsOnlyWithLiterals) {
  SynthesisFixture f;
  Cover cover;
  ASSERT_TRUE(cover.Allocate(f.context, 3, 2, 20));
  cover.Bind(0);
  cover.Bind(1);
  cover.FieldSet(0, 20, 1);  // a tag is no literal
  EXPECT_FALSE(cover.IsTerm(0));
  EXPECT_TRUE(cover.IsTerm(1));  // the universal cube counts anywhere but in row 0
  EXPECT_FALSE(cover.IsTerm(2));
  EXPECT_EQ(cover.CountTerms(2), 1);
  cover.FieldSet(0, 19, kCodeTrue);
  EXPECT_EQ(cover.CountTerms(2), 2);
  DeleteRow(cover, 0);  // row 0 keeps its slot and loses its literals
  EXPECT_TRUE(cover.present(0));
  EXPECT_EQ(cover.CountTerms(2), 1);
}

TEST(Cover, TagFieldsKeepTheirOwnCodes) {
  SynthesisFixture f;
  Cover cover;
  ASSERT_TRUE(cover.Allocate(f.context, 2, 20, 12));
  cover.Bind(1);
  cover.FieldSet(1, 16, 2);  // field 0 of word 1
  cover.FieldSet(1, 17, 1);
  EXPECT_EQ(cover.FieldGet(1, 16), 2);
  EXPECT_EQ(cover.FieldGet(1, 17), 1);
  EXPECT_EQ(cover.FieldGet(1, 18), 0);
}

TEST(Cover, FailedAllocationReportsTwice) {
  SynthesisFixture f(1u << 20);  // too small even for the node pool
  Cover cover;
  const int before = f.diagnostics.counts().errors;
  EXPECT_FALSE(cover.Allocate(f.context, 1 << 18, 1, 41));
  EXPECT_EQ(f.diagnostics.counts().errors - before, 2);
  EXPECT_FALSE(cover.allocated());
}

TEST(Binomial, ExactValues) {
  EXPECT_EQ(Binomial(5, 2), 10);
  EXPECT_EQ(Binomial(18, 12) * (1 << 12), 18564 * 4096);
  EXPECT_EQ(Binomial(18, 17), 18);
  EXPECT_EQ(Binomial(41, 20), 269128937220LL);
  EXPECT_EQ(Binomial(3, 4), 0);
  EXPECT_EQ(Binomial(0, 0), 1);
}

}  // namespace
}  // namespace kem

namespace kem {
namespace {

TEST(NodePool, FirstFitReusesFreedNodesAndMovesTheMarkerWhileSearching) {
  testing_support::SynthesisFixture f;
  // Node k is found after passing over the k nodes before it; every 65536 passes move the marker.
  const int phase = f.log.marker_phase();
  for (int i = 0; i < 362; ++i) ASSERT_EQ(f.pool.AllocNode(f.context), i);
  EXPECT_EQ(f.log.marker_phase(), phase);  // 0 + 1 + ... + 361 = 65341 passes
  EXPECT_EQ(f.pool.AllocNode(f.context), 362);
  EXPECT_EQ(f.log.marker_phase(), phase + 1);
  f.pool.FreeNode(7);
  f.pool.FreeNode(3);
  EXPECT_EQ(f.pool.AllocNode(f.context), 3);
  EXPECT_EQ(f.pool.AllocNode(f.context), 7);
  EXPECT_EQ(f.pool.AllocNode(f.context), 363);
  EXPECT_EQ(f.pool.in_use(), 364u);
}

TEST(NodePool, ExhaustedExactlyAtItsSize) {
  testing_support::SynthesisFixture f(kSmallNodePoolSize * sizeof(ExprNode));
  ASSERT_EQ(f.pool.size(), kSmallNodePoolSize);
  for (std::size_t i = 0; i < kSmallNodePoolSize; ++i)
    ASSERT_NE(f.pool.AllocNode(f.context), kNoNode);
  EXPECT_EQ(f.pool.AllocNode(f.context), kNoNode);
  const int errors = f.diagnostics.counts().errors;
  EXPECT_EQ(f.pool.MakeLeaf(f.context, 18), kNoNode);
  EXPECT_EQ(f.diagnostics.counts().errors, errors + 1);  // E01
  f.pool.FreeNode(100);
  EXPECT_EQ(f.pool.AllocNode(f.context), 100);
}

}  // namespace
}  // namespace kem
