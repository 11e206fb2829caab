#include "cli.h"

int main(int argc, char** argv) {
  return shelfkey::cli::Run(argc, argv, {stdin, stdout, stderr});
}
