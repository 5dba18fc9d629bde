# A host class created and used from the script: methods with ->, properties as hash fields,
# indexed properties with their index (as a method argument or an array element), and a
# returned object keeps its identity (== compares two references to it).
sub Main {
  my $lines = $MessageList->Lines;
  my $list = $TStringList->Create();
  $list->Add($_) for qw(pear apple fig);
  $list->{Sorted} = 1;
  $lines->Add($list->{Count});
  $lines->Add($list->Strings($_)) for 0 .. $list->{Count} - 1;
  $list->{Sorted} = 0;
  $list->{Strings}[0] = "apricot";
  $lines->Add($list->{Strings}[0]);
  $lines->Add($list->IndexOf("fig"));
  $lines->Add($MessageList->{Lines} == $lines ? "same" : "different");
  $lines->Add(exists $list->{Count} ? "has Count" : "no Count");
  $list->Free();
}

__END__
{ expect:
3
apple
fig
pear
apricot
1
same
has Count
}
