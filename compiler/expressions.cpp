#include "compiler/expressions.h"

#include <string>
#include <string_view>
#include <vector>

#include "common/keywords.h"
#include "compiler/statements.h"

namespace kem {

namespace {

using Parser = NodeRef (*)(CompileRun&);

// Whether the character read is one of a chain's few operator characters.
bool IsOneOf(int c, std::string_view operators) {
  for (char op : operators) {
    if (c == static_cast<unsigned char>(op)) return true;
  }
  return false;
}

NodeRef ParseXorTerm(CompileRun& run);
NodeRef ParseAndTerm(CompileRun& run);
NodeRef ParseFactor(CompileRun& run);
NodeRef ParsePrimary(CompileRun& run);

// operand [operator chain]: right-nested, so A + B + D is OR(A, OR(B, D)). Built in a loop rather
// than by recursion, so that no chain length can exhaust the stack; nodes are made in the same
// order as the recursive rule makes them, and a failure releases the same nodes.
NodeRef ParseChain(CompileRun& run, Parser operand_parser, std::string_view operators, int type) {
  std::vector<NodeRef>& waiting = run.waiting_operators;
  const std::size_t base = waiting.size();
  auto fail = [&] {
    for (std::size_t i = base; i < waiting.size(); ++i) run.nodes.FreeTree(waiting[i]);
    waiting.resize(base);
    return kNoNode;
  };
  NodeRef operand = kNoNode;
  for (;;) {
    operand = operand_parser(run);
    if (operand == kNoNode) return fail();
    run.scanner.SkipText(SkipMode::kBlanks);
    const int c = run.source.Get();
    if (!IsOneOf(c, operators)) {
      run.source.Unget(c);
      break;
    }
    const NodeRef node = run.nodes.MakeOperatorNode(run.synthesis, operand, kNoNode, type);
    if (node == kNoNode) return fail();  // the operand stays in use until the pool is released
    waiting.push_back(node);
  }
  while (waiting.size() > base) {
    run.nodes[waiting.back()].right = operand;
    operand = waiting.back();
    waiting.pop_back();
  }
  return operand;
}

NodeRef ParseXorTerm(CompileRun& run) {
  return ParseChain(run, ParseAndTerm, "$", kNodeXor);
}
NodeRef ParseAndTerm(CompileRun& run) {
  return ParseChain(run, ParseFactor, "*&", kNodeAnd);
}

NodeRef ParseFactor(CompileRun& run) {
  run.scanner.SkipText(SkipMode::kBlanks);
  const int c = run.source.Get();
  if (c != '/') {
    run.source.Unget(c);
    return ParsePrimary(run);
  }
  const NodeRef negation = run.nodes.MakeOperatorNode(run.synthesis, kNoNode, kNoNode, kNodeNot);
  if (negation == kNoNode) return kNoNode;
  const NodeRef operand = ParsePrimary(run);
  if (operand == kNoNode) {
    run.nodes.FreeNode(negation);
    return kNoNode;
  }
  run.nodes[negation].left = operand;
  return negation;
}

NodeRef ParsePrimary(CompileRun& run) {
  Scanner& scanner = run.scanner;
  scanner.SkipText(SkipMode::kBlanks);
  const int c = run.source.Get();
  if (c == '(') {
    // Groups nest by recursion; past a depth no design needs, the nesting is treated like any
    // other exhausted resource instead of running out of stack, at the line where it happens.
    if (run.group_depth >= kMaxGroupDepth) {
      run.diagnostics.ReportAtLine(Diag::E01, run.source.line());
      return kNoNode;
    }
    ++run.group_depth;
    const NodeRef group = ParseExpression(run);
    --run.group_depth;
    if (group == kNoNode) return kNoNode;
    // A missing ")" is reported, and the character in its place is lost.
    if (run.source.Get() != ')') run.Report(Diag::E17);
    scanner.SkipText(SkipMode::kBlanks);
    return group;
  }
  run.source.Unget(c);
  scanner.SkipText(SkipMode::kBlanks);
  std::string name;
  scanner.ScanIdentifier(name);  // a failed scan leaves what it read to be looked up
  const int record = run.pins.LookupSymbol(name);
  if (record == 0) {
    run.Report(Diag::E19);
    return kNoNode;
  }
  if (record < run.pins.first_design_record()) {
    run.Report(Diag::E08);
    return kNoNode;
  }
  CheckPinUse(run, record, PinUse::kInput);  // a refused read keeps only its diagnostic
  scanner.SkipText(SkipMode::kBlanks);
  return run.nodes.MakeLeaf(run.synthesis, record);
}

}  // namespace

NodeRef ParseExpression(CompileRun& run) {
  return ParseChain(run, ParseXorTerm, "+|", kNodeOr);
}

NodeRef ParseConstant(CompileRun& run) {
  Scanner& scanner = run.scanner;
  scanner.SkipText(SkipMode::kBlanks);
  const SourceText::Mark mark = run.source.MarkPosition();
  int c = run.source.Get();
  if (c != '=') {
    run.source.Unget(c);
    return kNoNode;
  }
  scanner.SkipText(SkipMode::kBlanks);
  c = run.source.Get();
  int type = -1;
  if (c == '0' || c == '1') {
    type = c == '1' ? kNodeTrue : kNodeFalse;
  } else if (c == '/' || c == '(') {
    run.source.ReturnTo(mark);
    return kNoNode;
  } else {
    run.source.Unget(c);
    std::string word;
    // Without a word the assignment goes on from where the scanner stopped.
    if (!scanner.ScanIdentifier(word)) return kNoNode;
    for (const ConstantWord& constant : kConstantWords) {
      if (constant.word == word) type = constant.value ? kNodeTrue : kNodeFalse;
    }
    if (type < 0) {
      run.source.ReturnTo(mark);
      return kNoNode;
    }
  }
  const NodeRef node = run.nodes.MakeOperatorNode(run.synthesis, kNoNode, kNoNode, type);
  if (node == kNoNode) return kNoNode;
  scanner.ExpectSemicolon();
  return node;
}

}  // namespace kem
