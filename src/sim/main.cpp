#include <iostream>

int main() {
    std::cout << "snapforge-sim\n";
    return 0;
}
