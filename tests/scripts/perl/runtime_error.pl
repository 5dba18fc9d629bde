# A runtime error reports the line of the failing statement; Perl gives no column, so the
# position is where the line's statement begins.
sub Main {
  $MessageList->Lines->Add("before");
  my %t;
    my $n = $t{field}->{inner}->Count;
  $MessageList->Lines->Add("after");
}

__END__
{ expect:
before
}
{ expect-error: Can't call method "Count" on an undefined value at line 6 pos 5 }
